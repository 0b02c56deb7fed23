// Messages on standard error: one line each, "sec1996: " first, and the
// refused input shown so that the message stays on that one line.
#ifndef SEC1996_CLI_REPORT_H
#define SEC1996_CLI_REPORT_H

#include <string>
#include <string_view>

#include "io.h"

namespace sec1996::cli {

// The input as a message shows it: in quotes, with anything unprintable
// escaped, and cut short ("..." after the closing quote) when long or when
// cut says it is only the start of the input.
std::string quoted(std::string_view input, bool cut);

// Writes "sec1996: message" and a newline to standard error.
void complain(std::string_view message);

// Reports refused values and remembers that there were any.
class Reporter {
 public:
  explicit Reporter(Output& output) : output_(output) {}

  // "sec1996: where: "input": reason"; where names the place ("line 7").
  void refuse(std::string_view where, std::string_view input, bool cut, std::string_view reason);

  // A refusal not reported on its own: summarize reports it with others.
  void count() { refused_ = true; }

  // "sec1996: message", after whatever output is buffered.
  void summarize(std::string_view message);

  bool refused() const { return refused_; }

 private:
  Output& output_;
  bool refused_ = false;
};

}  // namespace sec1996::cli

#endif  // SEC1996_CLI_REPORT_H
