#pragma once
// Values and links: how elements meet.
//
// An output event is a THI_Event kept in the source element; firing it calls
// one point of one target element with a TData. A data link is a THI_Event an
// element reads on demand: the data point it names fills the value handed in.
//
// - Firing or reading an unlinked event (null handler) does nothing.
// - Every firing and every read goes through a hook of data.cpp; while link
//   traffic is off (DisableLinks, and at program load) both hooks do nothing.
// - Firing is synchronous and depth first; a point may be re-entered by a
//   cascade it started itself.
// - A link holds no ownership: the form owns every element, and a TData owns
//   only its text.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/member_thunk.h"

namespace lobrin {

struct THI_Event;

enum DataKind : std::uint8_t {
  kDataNull = 0,
  kDataInteger = 1,
  kDataString = 2,
  kDataReal = 7,
  kDataBreak = 22,
};
// Set in TData::kind by ForwardTo; the dispatcher clears it once the handler returned.
constexpr std::uint8_t kForwardFlag = 0x80;
constexpr int kDataKindCount = 23;
extern const char* const DataKindNames[kDataKindCount];

// The value passed along every link.
struct TData {
  std::uint8_t kind = kDataNull;
  std::int32_t integerValue = 0;
  std::string textValue;  // owned
  double realValue = 0.0;
  const THI_Event* forwardEvent = nullptr;  // borrowed; meaningful with kForwardFlag
  const TData* nextValue = nullptr;         // borrowed; the next value of a chain
};

// Every point: runs on `target`, takes the value by mutable reference and the index.
using PointHandler = void (*)(void* target, TData& value, std::uint16_t index);

// One link. A null handler marks an event that is not linked.
struct THI_Event {
  PointHandler handler = nullptr;
  void* target = nullptr;  // borrowed
  std::uint16_t index = 0;
};

// A link to the point `Point` (a member `void Element::P(TData&, uint16_t)`) of `target`.
template <auto Point>
THI_Event MakeLink(MemberClass<Point>* target, std::uint16_t index = 0) {
  return THI_Event{MemberThunk<Point>, target, index};
}

// --- Dispatch and traffic ---------------------------------------------------

// Calls the handler, then follows forwards (kForwardFlag) in a loop.
void FireEvent(const THI_Event& link, TData& value);
// Calls the handler once, if set.
void ReadLink(const THI_Event& link, TData& value);
void IgnoreLink(const THI_Event& link, TData& value);
void EnableLinks();
void DisableLinks();
bool LinksEnabled();

// --- Values -----------------------------------------------------------------
void SetNull(TData& value);
void SetInteger(TData& value, std::int32_t i);
void SetReal(TData& value, double r);
void SetText(TData& value, const std::string& text);
// Takes the text over without copying it.
void SetText(TData& value, std::string&& text);
// Makes the value a String and gives its text to be written in place (its memory is reused).
std::string& StartText(TData& value);
bool IsIntegerValue(const TData& value);
std::string ValueToText(const TData& value);
// The same, written into `text` (its memory is reused).
void ValueToText(const TData& value, std::string& text);
double ValueToReal(const TData& value);
std::int32_t ValueToInteger(const TData& value);
// Takes the next value of the chain, or becomes NULL.
void ConsumeValue(TData& value);

// --- Firing (through the fire hook) -----------------------------------------
void FireNull(const THI_Event& link);
void FireInteger(const THI_Event& link, std::int32_t i);
void FireReal(const THI_Event& link, double r);
void FireText(const THI_Event& link, const std::string& text);
// Fires a copy: what receivers do to it never reaches `value`.
void FireCopy(const THI_Event& link, const TData& value);
// Fires `value` itself: receivers' changes stay in it.
void FireInPlace(const THI_Event& link, TData& value);
// Makes the running dispatcher fire `link` with this (now NULL) value after
// the current handler returns.
void ForwardTo(TData& incoming, const THI_Event& link);

// --- Reading operands (through the read hook) -------------------------------
// From the link if linked (and not Break); else a non-empty default; else the
// incoming value, which is then consumed.
std::string TextFromLink(TData& incoming, const THI_Event& link, const std::string& defaultText);
// The same, written into `text` (its memory is reused).
void TextFromLink(TData& incoming, const THI_Event& link, const std::string& defaultText, std::string& text);
// As TextFromLink; the default counts when it differs from 0.0 (-0.0 is 0.0).
double RealFromLink(TData& incoming, const THI_Event& link, double defaultValue);
// Reads a fresh NULL value through the link; no default, nothing consumed.
std::int32_t IntegerFromLink(const THI_Event& link);
// Reads the link into `value` (the point sees what it held), or makes it Break.
void ReadLinkOrBreak(TData& value, const THI_Event& link);

// --- Start-up callbacks -----------------------------------------------------
struct TInitProc {
  void (*routine)(void* object) = nullptr;
  void* object = nullptr;  // borrowed
};
void RegisterStartupCallback(TInitProc callback);
// Calls every callback in registration order (including ones added meanwhile), then empties the list.
void RunStartupCallbacks();
bool StartupCallbacksRan();

}  // namespace lobrin
