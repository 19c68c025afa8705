#include "elements/data.h"

#include <utility>

#include "toolkit/number_text.h"

namespace lobrin {

const char* const DataKindNames[kDataKindCount] = {
    "NULL",   "Integer", "String", "Data",   "Combo",  "StrList", "Icon",    "Real",
    "Color",  "Script",  "Stream", "Bitmap", "Wave",   "Array",   "ComboEx", "Font",
    "Matrix", "Jpeg",    "Menu",   "Code",   "Object", "Type",    "Break",
};

namespace {
using LinkHook = void (*)(const THI_Event& link, TData& value);
// FireEvent and ReadLink while traffic is on, else IgnoreLink; off from program
// load until EnableLinks.
LinkHook fireHook = IgnoreLink;
LinkHook readHook = IgnoreLink;
}  // namespace

// --- Dispatch and traffic ---------------------------------------------------

void FireEvent(const THI_Event& link, TData& value) {
  const THI_Event* current = &link;
  while (current != nullptr && current->handler != nullptr) {
    current->handler(current->target, value, current->index);
    if ((value.kind & kForwardFlag) == 0) {
      return;
    }
    // A forward runs here, after its handler returned, with the same (now NULL) value.
    value.kind = static_cast<std::uint8_t>(value.kind & ~kForwardFlag);
    current = value.forwardEvent;
    value.forwardEvent = nullptr;
  }
}

void ReadLink(const THI_Event& link, TData& value) {
  if (link.handler != nullptr) {
    link.handler(link.target, value, link.index);
  }
}

void IgnoreLink(const THI_Event&, TData&) {}

void EnableLinks() {
  fireHook = FireEvent;
  readHook = ReadLink;
}

void DisableLinks() {
  fireHook = IgnoreLink;
  readHook = IgnoreLink;
}

bool LinksEnabled() { return fireHook != IgnoreLink; }

// --- Values -----------------------------------------------------------------

namespace {
void StartValue(TData& value, DataKind kind) {
  value.kind = kind;
  value.forwardEvent = nullptr;
  value.nextValue = nullptr;
}
}  // namespace

void SetNull(TData& value) { StartValue(value, kDataNull); }

void SetInteger(TData& value, std::int32_t i) {
  StartValue(value, kDataInteger);
  value.integerValue = i;
}

void SetReal(TData& value, double r) {
  StartValue(value, kDataReal);
  value.realValue = r;
}

void SetText(TData& value, const std::string& text) {
  StartValue(value, kDataString);
  value.textValue = text;
}

void SetText(TData& value, std::string&& text) {
  StartValue(value, kDataString);
  value.textValue = std::move(text);
}

std::string& StartText(TData& value) {
  StartValue(value, kDataString);
  return value.textValue;
}

bool IsIntegerValue(const TData& value) { return value.kind == kDataInteger; }

std::string ValueToText(const TData& value) {
  std::string text;
  ValueToText(value, text);
  return text;
}

void ValueToText(const TData& value, std::string& text) {
  switch (value.kind) {
    case kDataInteger: text = IntegerToText(value.integerValue); break;
    case kDataString: text = value.textValue; break;
    case kDataReal: RealToText(value.realValue, text); break;
    default: text.clear(); break;
  }
}

double ValueToReal(const TData& value) {
  switch (value.kind) {
    case kDataInteger: return value.integerValue;
    case kDataString: return TextToReal(value.textValue);
    case kDataReal: return value.realValue;
    default: return 0.0;
  }
}

std::int32_t ValueToInteger(const TData& value) {
  switch (value.kind) {
    case kDataInteger: return value.integerValue;
    case kDataString: return TextToInteger(value.textValue);
    case kDataReal: return RealToInteger(value.realValue);
    default: return 0;
  }
}

void ConsumeValue(TData& value) {
  if (value.nextValue == nullptr) {
    value.kind = kDataNull;
    return;
  }
  TData next = *value.nextValue;  // a copy first: the chain may point into `value`
  value = std::move(next);
}

// --- Firing -----------------------------------------------------------------

void FireNull(const THI_Event& link) {
  TData value;
  fireHook(link, value);
}

void FireInteger(const THI_Event& link, std::int32_t i) {
  TData value;
  SetInteger(value, i);
  fireHook(link, value);
}

void FireReal(const THI_Event& link, double r) {
  TData value;
  SetReal(value, r);
  fireHook(link, value);
}

void FireText(const THI_Event& link, const std::string& text) {
  TData value;
  SetText(value, text);
  fireHook(link, value);
}

void FireCopy(const THI_Event& link, const TData& value) {
  TData copy = value;
  fireHook(link, copy);
}

void FireInPlace(const THI_Event& link, TData& value) { fireHook(link, value); }

void ForwardTo(TData& incoming, const THI_Event& link) {
  incoming.kind = kDataNull | kForwardFlag;
  incoming.forwardEvent = &link;
}

// --- Reading operands -------------------------------------------------------

namespace {
// Reads a linked data point into a fresh value; false when the link is unset
// or the point answered Break, so that the reader falls back.
bool ReadOperand(const THI_Event& link, TData& answer) {
  if (link.handler == nullptr) {
    return false;
  }
  readHook(link, answer);
  return answer.kind != kDataBreak;
}
}  // namespace

std::string TextFromLink(TData& incoming, const THI_Event& link, const std::string& defaultText) {
  std::string text;
  TextFromLink(incoming, link, defaultText, text);
  return text;
}

void TextFromLink(TData& incoming, const THI_Event& link, const std::string& defaultText, std::string& text) {
  TData answer;
  if (ReadOperand(link, answer)) {
    ValueToText(answer, text);
  } else if (!defaultText.empty()) {
    text = defaultText;
  } else if (incoming.kind == kDataNull) {
    text.clear();
  } else {
    ValueToText(incoming, text);
    ConsumeValue(incoming);
  }
}

double RealFromLink(TData& incoming, const THI_Event& link, double defaultValue) {
  TData answer;
  if (ReadOperand(link, answer)) {
    return ValueToReal(answer);
  }
  if (defaultValue != 0.0) {
    return defaultValue;
  }
  if (incoming.kind == kDataNull) {
    return 0.0;
  }
  const double real = ValueToReal(incoming);
  ConsumeValue(incoming);
  return real;
}

std::int32_t IntegerFromLink(const THI_Event& link) {
  TData answer;
  readHook(link, answer);
  return ValueToInteger(answer);
}

void ReadLinkOrBreak(TData& value, const THI_Event& link) {
  if (link.handler != nullptr) {
    readHook(link, value);
  } else {
    value.kind = kDataBreak;
  }
}

// --- Start-up callbacks -----------------------------------------------------

namespace {
struct StartupList {
  std::vector<TInitProc> callbacks;
  bool running = false;
  bool ran = false;
};
StartupList& Startup() {
  static StartupList list;
  return list;
}
}  // namespace

void RegisterStartupCallback(TInitProc callback) { Startup().callbacks.push_back(callback); }

void RunStartupCallbacks() {
  StartupList& list = Startup();
  // A nested run would call the early entries twice; the outer run reaches
  // everything registered meanwhile anyway.
  if (list.running) {
    return;
  }
  list.running = true;
  // The length is checked before every call: a callback may register another.
  for (std::size_t i = 0; i < list.callbacks.size(); ++i) {
    const TInitProc callback = list.callbacks[i];  // a copy: the list may grow
    if (callback.routine != nullptr) {
      callback.routine(callback.object);
    }
  }
  list.callbacks.clear();
  list.running = false;
  list.ran = true;
}

bool StartupCallbacksRan() { return Startup().ran; }

}  // namespace lobrin
