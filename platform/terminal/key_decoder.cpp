#include "terminal/key_decoder.h"

#include <array>
#include <cstdint>
#include <optional>

#include "terminal/utf8.h"

namespace platform::terminal {
namespace {

constexpr char Esc = '\x1b';
// Longer than any key sequence; a run this long without a final byte is garbage.
constexpr size_t LongestSequence = 32;

// Virtual-key codes of the punctuation keys (US layout; the key buffer only uses their
// characters, so the layout guess costs nothing).
constexpr UINT VK_OEM_1 = 0xBA, VK_OEM_PLUS = 0xBB, VK_OEM_COMMA = 0xBC, VK_OEM_MINUS = 0xBD,
               VK_OEM_PERIOD = 0xBE, VK_OEM_2 = 0xBF, VK_OEM_3 = 0xC0, VK_OEM_4 = 0xDB,
               VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD, VK_OEM_7 = 0xDE;

UINT VirtualKeyOfPrintable(unsigned char c) {
  if (c >= 'a' && c <= 'z') return UINT(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
  switch (c) {
    case ' ':
      return VK_SPACE;
    case ';':
    case ':':
      return VK_OEM_1;
    case '=':
    case '+':
      return VK_OEM_PLUS;
    case ',':
    case '<':
      return VK_OEM_COMMA;
    case '-':
    case '_':
      return VK_OEM_MINUS;
    case '.':
    case '>':
      return VK_OEM_PERIOD;
    case '/':
    case '?':
      return VK_OEM_2;
    case '`':
    case '~':
      return VK_OEM_3;
    case '[':
    case '{':
      return VK_OEM_4;
    case '\\':
    case '|':
      return VK_OEM_5;
    case ']':
    case '}':
      return VK_OEM_6;
    case '\'':
    case '"':
      return VK_OEM_7;
    case '!':
      return '1';
    case '@':
      return '2';
    case '#':
      return '3';
    case '$':
      return '4';
    case '%':
      return '5';
    case '^':
      return '6';
    case '&':
      return '7';
    case '*':
      return '8';
    case '(':
      return '9';
    case ')':
      return '0';
    default:
      return VK_PACKET;
  }
}

KeyEvent CharacterKey(UINT vk, int character) {
  KeyEvent key;
  key.virtualKey = vk;
  key.character = character;
  return key;
}

KeyEvent SpecialKey(UINT vk) {
  return CharacterKey(vk, -1);
}

// A single byte below 0x80 that is not Esc.
KeyEvent SingleByteKey(unsigned char c) {
  switch (c) {
    case 3: {
      KeyEvent key;
      key.interrupt = true;
      return key;
    }
    case 0x1a: {
      KeyEvent key;
      key.suspend = true;
      return key;
    }
    case '\t':
      return CharacterKey(VK_TAB, '\t');
    // Enter sends CR in raw mode; a terminal that sends LF means Enter too.
    case '\r':
    case '\n':
      return CharacterKey(VK_RETURN, '\r');
    // Backspace sends DEL on most terminals and BS on some.
    case 0x7f:
    case 0x08:
      return CharacterKey(VK_BACK, 0x08);
    default:
      break;
  }
  if (c >= 0x20) return CharacterKey(VirtualKeyOfPrintable(c), c);
  // Ctrl with a key: the terminal sends the control code the key gives under Ctrl.
  KeyEvent key;
  key.ctrl = true;
  key.character = c;
  if (c == 0) {
    key.virtualKey = VK_SPACE;
  } else if (c <= 26) {
    key.virtualKey = UINT('A' + c - 1);
  } else {
    static constexpr std::array<UINT, 5> ControlCodeKeys = {0, VK_OEM_5, VK_OEM_6, '6',
                                                            VK_OEM_MINUS};
    key.virtualKey = ControlCodeKeys[c - 27];
  }
  return key;
}

// xterm's modifier parameter: 1 + (shift 1, alt 2, ctrl 4, meta 8).
void ApplyModifier(int param, KeyEvent& key) {
  if (param < 2) return;
  const int bits = param - 1;
  key.shift = (bits & 1) != 0;
  key.alt = (bits & (2 | 8)) != 0;
  key.ctrl = (bits & 4) != 0;
}

std::optional<UINT> KeyOfFinal(char final) {
  switch (final) {
    case 'A':
      return VK_UP;
    case 'B':
      return VK_DOWN;
    case 'C':
      return VK_RIGHT;
    case 'D':
      return VK_LEFT;
    case 'H':
      return VK_HOME;
    case 'F':
      return VK_END;
    case 'E':           // xterm
    case 'G':           // the Linux console
      return VK_CLEAR;  // the keypad's 5 with Num Lock off
    case 'P':
      return VK_F1;
    case 'Q':
      return VK_F1 + 1;
    case 'R':
      return VK_F1 + 2;
    case 'S':
      return VK_F1 + 3;
    default:
      return std::nullopt;
  }
}

std::optional<UINT> KeyOfTildeCode(int code) {
  switch (code) {
    case 1:
    case 7:
      return VK_HOME;
    case 2:
      return VK_INSERT;
    case 3:
      return VK_DELETE;
    case 4:
    case 8:
      return VK_END;
    case 5:
      return VK_PRIOR;
    case 6:
      return VK_NEXT;
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      return VK_F1 + UINT(code - 11);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
      return VK_F1 + 5 + UINT(code - 17);
    case 23:
      return VK_F11;
    case 24:
      return VK_F12;
    default:
      return std::nullopt;
  }
}

// An SGR mouse report, ESC [ < button ; column ; row M (m for a release). The button's low
// bits name it (3: none), 4 adds Shift, 16 Ctrl, 32 marks a move; 64 and up are the wheel and
// extra buttons, which have no message here.
std::optional<KeyEvent> MouseEvent(const std::vector<int>& params, bool pressOrMove) {
  if (params.size() != 3 || params[1] < 1 || params[2] < 1) return std::nullopt;
  const int code = params[0];
  if (code >= 64) return std::nullopt;
  static constexpr std::array<WPARAM, 4> ButtonFlag = {0x0001, 0x0010, 0x0002, 0};
  static constexpr std::array<UINT, 3> Down = {WM_LBUTTONDOWN, WM_MBUTTONDOWN, WM_RBUTTONDOWN};
  static constexpr std::array<UINT, 3> Up = {WM_LBUTTONUP, WM_MBUTTONUP, WM_RBUTTONUP};
  const int button = code & 3;
  MouseReport report;
  report.column = params[1] - 1;
  report.row = params[2] - 1;
  if (code & 4) report.held |= 0x0004;   // MK_SHIFT
  if (code & 16) report.held |= 0x0008;  // MK_CONTROL
  if (code & 32) {
    report.message = WM_MOUSEMOVE;
    report.held |= ButtonFlag[size_t(button)];
  } else if (button == 3) {
    return std::nullopt;
  } else if (pressOrMove) {
    report.message = Down[size_t(button)];
    report.held |= ButtonFlag[size_t(button)];
  } else {
    report.message = Up[size_t(button)];
  }
  KeyEvent event;
  event.mouse = report;
  return event;
}

// The result of looking at the front of the input.
struct Step {
  size_t consumed = 0;  // 0: the front is an unfinished sequence
  std::optional<KeyEvent> key;
};

// Numeric parameters of a control sequence; sub-parameters after ':' are skipped.
std::vector<int> Parameters(std::string_view text) {
  std::vector<int> params(1, 0);
  bool inSub = false;
  for (char c : text) {
    if (c == ';') {
      params.push_back(0);
      inSub = false;
    } else if (c == ':') {
      inSub = true;
    } else if (c >= '0' && c <= '9' && !inSub) {
      int& p = params.back();
      if (p < 100000) p = p * 10 + (c - '0');
    }
  }
  return params;
}

// s starts with the introducer ESC [ (introducer is 2 long).
Step ControlSequence(std::string_view s) {
  constexpr size_t start = 2;
  if (s.size() <= start) return {};
  // The Linux console's F1 to F5: ESC [ [ A .. E.
  if (s[start] == '[') {
    if (s.size() <= start + 1) return {};
    const char c = s[start + 1];
    if (c >= 'A' && c <= 'E') return {start + 2, SpecialKey(VK_F1 + UINT(c - 'A'))};
    return {start + 1, std::nullopt};
  }
  size_t i = start;
  while (i < s.size() && s[i] >= 0x30 && s[i] <= 0x3f) ++i;
  const size_t paramsEnd = i;
  while (i < s.size() && s[i] >= 0x20 && s[i] <= 0x2f) ++i;
  if (i == s.size()) {
    if (s.size() >= LongestSequence) return {s.size(), std::nullopt};
    return {};
  }
  const char final = s[i];
  const size_t consumed = i + 1;
  if (final < 0x40 || final > 0x7e) {
    // Broken off by a byte that has no place in a sequence: drop what came before it.
    return {i, std::nullopt};
  }
  const std::string_view paramText = s.substr(start, paramsEnd - start);
  if (!paramText.empty() && paramText[0] == '<' && (final == 'M' || final == 'm') &&
      paramsEnd == i) {
    return {consumed, MouseEvent(Parameters(paramText.substr(1)), final == 'M')};
  }
  const bool privateParams = !paramText.empty() && (paramText[0] == '<' || paramText[0] == '=' ||
                                                    paramText[0] == '>' || paramText[0] == '?');
  if (privateParams || paramsEnd != i) return {consumed, std::nullopt};
  const std::vector<int> params = Parameters(paramText);
  const int modifier = params.size() > 1 ? params[1] : 0;
  std::optional<UINT> vk;
  if (final == '~') {
    vk = KeyOfTildeCode(params[0]);
  } else if (final == 'Z') {
    KeyEvent key = CharacterKey(VK_TAB, '\t');
    key.shift = true;
    return {consumed, key};
  } else {
    vk = KeyOfFinal(final);
  }
  if (!vk) return {consumed, std::nullopt};
  KeyEvent key = SpecialKey(*vk);
  ApplyModifier(modifier, key);
  return {consumed, key};
}

// s starts with ESC O: one final byte, in some terminals after a modifier digit.
Step SingleShift(std::string_view s) {
  size_t i = 2;
  int modifier = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
    modifier = modifier * 10 + (s[i] - '0');
    ++i;
    if (i > 4) return {i, std::nullopt};
  }
  if (i == s.size()) return {};
  const char final = s[i];
  if (final == 'M') return {i + 1, CharacterKey(VK_RETURN, '\r')};  // keypad Enter
  const std::optional<UINT> vk = KeyOfFinal(final);
  if (final < 0x40 || final > 0x7e) return {i, std::nullopt};
  if (!vk) return {i + 1, std::nullopt};
  KeyEvent key = SpecialKey(*vk);
  ApplyModifier(modifier, key);
  return {i + 1, key};
}

// A UTF-8 character; only Latin-1 ones have a character for WM_CHAR. Overlong forms and
// surrogates are no characters (an overlong NUL or Ctrl+C must not pass for text), and the
// C1 controls U+0080..U+009F have no key. A broken sequence is dropped up to the byte that
// broke it, and that byte is decoded afresh.
Step Utf8Character(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  const size_t length = Utf8Length(lead);
  if (length == 0) return {1, std::nullopt};
  // The lead's payload bits: 5, 4 or 3 of them for 2, 3 or 4 bytes.
  uint32_t code = lead & (0x7fu >> length);
  for (size_t i = 1; i < length; ++i) {
    if (i == s.size()) return {};
    const auto c = static_cast<unsigned char>(s[i]);
    if (!Utf8Continues(lead, i, c)) return {i, std::nullopt};
    code = (code << 6) | (c & 0x3f);
  }
  if (code < 0xa0 || code > 0xff) return {length, std::nullopt};
  return {length, CharacterKey(VK_PACKET, int(code))};
}

Step Decode(std::string_view s);

// s starts with ESC and has at least two bytes.
Step EscapeStarted(std::string_view s) {
  if (s[1] == '[') return ControlSequence(s);
  if (s[1] == 'O') return SingleShift(s);
  if (s[1] == Esc) {
    // ESC ESC [ ... is how some terminals send Alt with a cursor key.
    if (s.size() == 2) return {};
    if (s[2] == '[' || s[2] == 'O') {
      Step inner = EscapeStarted(s.substr(1));
      if (inner.consumed == 0) return {};
      if (inner.key) inner.key->alt = true;
      return {inner.consumed + 1, inner.key};
    }
    return {1, CharacterKey(VK_ESCAPE, 0x1b)};
  }
  // Alt with a key: the terminal sends ESC before the key's own bytes.
  Step inner = Decode(s.substr(1));
  if (inner.consumed == 0) return {};
  if (inner.key) {
    if (inner.key->interrupt || inner.key->suspend) return {1, CharacterKey(VK_ESCAPE, 0x1b)};
    inner.key->alt = true;
  }
  return {inner.consumed + 1, inner.key};
}

Step Decode(std::string_view s) {
  const auto c = static_cast<unsigned char>(s[0]);
  if (c == 0x1b) {
    if (s.size() == 1) return {};
    return EscapeStarted(s);
  }
  if (c >= 0x80) return Utf8Character(s);
  return {1, SingleByteKey(c)};
}

}  // namespace

void KeyDecoder::feed(std::string_view bytes, std::vector<KeyEvent>& out) {
  pending_.append(bytes);
  std::string_view rest = pending_;
  while (!rest.empty()) {
    const Step step = Decode(rest);
    if (step.consumed == 0) break;
    if (step.key) out.push_back(*step.key);
    rest.remove_prefix(step.consumed);
  }
  pending_.erase(0, pending_.size() - rest.size());
}

void KeyDecoder::expire(std::vector<KeyEvent>& out) {
  std::string_view rest = pending_;
  while (!rest.empty()) {
    if (rest[0] != Esc) {
      // An unfinished UTF-8 character: nothing can complete it now.
      break;
    }
    if (rest.size() == 1) {
      out.push_back(CharacterKey(VK_ESCAPE, 0x1b));
      break;
    }
    if (rest[1] == Esc) {
      out.push_back(CharacterKey(VK_ESCAPE, 0x1b));
      rest.remove_prefix(1);
      continue;
    }
    if (rest.size() == 2 && (rest[1] == '[' || rest[1] == 'O')) {
      // Alt with '[' or 'O' looks like the start of a sequence until the time is up.
      KeyEvent key = CharacterKey(VirtualKeyOfPrintable(rest[1]), rest[1]);
      key.alt = true;
      out.push_back(key);
    }
    break;
  }
  pending_.clear();
}

}  // namespace platform::terminal
