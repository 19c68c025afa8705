#pragma once
// A test element that records what reaches its points, in order, into a shared log.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "elements/data.h"

namespace lobrin::testing {

// One entry per call: "<name>:<kind name>:<value as text>".
using CallLog = std::vector<std::string>;

inline std::string Describe(const TData& value) {
  const unsigned kind = value.kind & 0x7F;
  const char* kindName = kind < kDataKindCount ? DataKindNames[kind] : "?";
  return std::string(kindName) + ":" + ValueToText(value);
}

class ProbeElement {
 public:
  ProbeElement(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}

  TData answer;                     // what answerPoint hands out
  THI_Event forward;                // where forwardPoint forwards to
  THI_Event onRecord;               // fired in place by recordAndFirePoint after recording
  const TData* lastSeen = nullptr;  // borrowed; the value object of the last call
  std::uint16_t lastIndex = 0;

  // Input point: records the value.
  void recordPoint(TData& value, std::uint16_t index) { Record(value, index); }
  // Input point: records, then fires the same value object on onRecord.
  void recordAndFirePoint(TData& value, std::uint16_t index) {
    Record(value, index);
    FireInPlace(onRecord, value);
  }
  // Input point: records, then takes the value as an operand (consuming it).
  void consumePoint(TData& value, std::uint16_t index) {
    Record(value, index);
    RealFromLink(value, THI_Event{}, 0.0);
  }
  // Input point: records, then forwards the value to `forward`.
  void forwardPoint(TData& value, std::uint16_t index) {
    Record(value, index);
    ForwardTo(value, forward);
  }
  // Data point: records what it was handed, then overwrites it with `answer`.
  void answerPoint(TData& value, std::uint16_t index) {
    Record(value, index);
    value = answer;
  }

 private:
  void Record(const TData& value, std::uint16_t index) {
    log_.push_back(name_ + ":" + Describe(value));
    lastSeen = &value;
    lastIndex = index;
  }

  CallLog& log_;  // borrowed
  std::string name_;
};

// Switches link traffic on for one test and off again afterwards.
class LinkTrafficOn {
 public:
  LinkTrafficOn() { EnableLinks(); }
  ~LinkTrafficOn() { DisableLinks(); }
  LinkTrafficOn(const LinkTrafficOn&) = delete;
  LinkTrafficOn& operator=(const LinkTrafficOn&) = delete;
};

}  // namespace lobrin::testing
