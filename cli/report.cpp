// Messages on standard error; see report.h.
#include "report.h"

#include <unistd.h>

namespace sec1996::cli {
namespace {

// Messages show at most this much of a refused input.
constexpr std::size_t kShownInputLength = 48;

}  // namespace

std::string quoted(std::string_view input, bool cut) {
  static constexpr char kHexDigits[] = "0123456789abcdef";
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kLastPrintable = 0x7e;
  std::string text = "\"";
  const bool shorten = cut || input.size() > kShownInputLength;
  for (const char c : input.substr(0, kShownInputLength)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += c;
    } else if (byte >= kFirstPrintable && byte <= kLastPrintable) {
      text += c;
    } else {
      text += "\\x";
      text += kHexDigits[byte >> 4];
      text += kHexDigits[byte & 0xf];
    }
  }
  text += shorten ? "\"..." : "\"";
  return text;
}

void complain(std::string_view message) {
  std::string line = "sec1996: ";
  line.append(message).append(1, '\n');
  writeAll(STDERR_FILENO, line);
}

void Reporter::refuse(std::string_view where, std::string_view input, bool cut,
                      std::string_view reason) {
  // Whatever is buffered goes first, so that a message follows the lines
  // before it when both streams reach the same file or terminal.
  output_.flush();
  std::string message(where);
  message.append(": ").append(quoted(input, cut)).append(": ").append(reason);
  complain(message);
  refused_ = true;
}

void Reporter::summarize(std::string_view message) {
  output_.flush();
  complain(message);
  refused_ = true;
}

}  // namespace sec1996::cli
