// tamrix-cli's parts that need no data set: reading the arguments, the exit
// statuses, escaping a terminal's control bytes and reading standard input.
#include <cstdio>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/cli/line_input.h"
#include "app/cli/options.h"
#include "app/cli/stream_output.h"

namespace tamrix::cli {
namespace {

// The mode chosen, or the usage error.
std::string parsed(const std::vector<std::string>& arguments) {
  Options options;
  if (const std::optional<std::string> error = parseArguments(arguments, options))
    return *error;
  const char* names[] = {"describe", "all",     "find", "check",   "explain",
                         "diff",     "compare", "help", "version", "completion"};
  return std::string("mode ") + names[static_cast<int>(options.mode)] +
         (options.filtered ? " filtered" : "");
}

TEST(ArgumentsTest, EachLineChoosesAModeOrIsRefusedWithItsUsageError) {
  const std::vector<std::string> nine(9, "1000");
  std::vector<std::string> compareNine = {"--compare"};
  compareNine.insert(compareNine.end(), nine.begin(), nine.end());
  const std::vector<std::pair<std::vector<std::string>, std::string>> rows = {
      {{}, "mode describe"},
      {{"-5", "1000"}, "mode describe"},
      {{"--", "-x"}, "mode describe"},
      {{"1465x"}, "mode describe"},  // read as 0, as the dialog's field reads it
      {{"--all", "--help"}, "mode help"},
      {{"--bash-completion"}, "mode completion"},
      {{"-C", "d", "--json", "--all"}, "mode all"},
      {{"--find", "kard", "--all"}, "mode find"},  // the query takes every word after it
      {{"--check", "--strict", "--raw"}, "mode check"},
      {{"--explain", "0", " -7 ", "-0"}, "mode explain"},
      {{"--diff", ".", "--find", "kard"}, "mode diff filtered"},
      {{"--compare", "1", "2", "3", "4", "5", "6", "7", "8"}, "mode compare"},
      {{"--bogus"}, "unknown option --bogus"},
      {{"--raw", "--json"}, "--raw and --json exclude each other"},
      {{"-C"}, "-C needs DIR"},
      {{"--find"}, "--find needs QUERY..."},
      {{"--all", "1000"}, "--all takes no NUMBER arguments"},
      {{"--check", "--find", "kard"}, "--check and --find exclude each other"},
      {{"--strict", "1"}, "--strict goes with --check only"},
      {{"--csv", "1"}, "--csv goes with --all, --find and --compare only"},
      {{"--raw", "--compare", "1", "2"}, "--raw does not go with --compare"},
      {{"--explain"}, "--explain needs NUMBER arguments"},
      {{"--explain", "1465x"}, "--explain takes whole numbers: 1465x is not one"},
      {{"--explain", "12", ""}, "--explain takes whole numbers:  is not one"},
      {{"--explain", "99999999999"}, "--explain takes whole numbers: 99999999999 is not one"},
      {{"--compare", "1000"}, "--compare needs at least 2 NUMBER arguments"},
      {compareNine, "--compare takes at most 8 NUMBER arguments"},
  };
  for (const auto& [arguments, wanted] : rows) {
    std::string shown;
    for (const std::string& arg : arguments)
      shown += "[" + arg + "]";
    EXPECT_EQ(parsed(arguments), wanted) << shown;
  }
  EXPECT_EQ(usageError("unknown option -x"),
            "tamrix-cli: unknown option -x\nTry 'tamrix-cli --help'.\n");
}

TEST(ArgumentsTest, HelpTellsTheLimitsTheParserKeeps) {
  const std::string help = helpText();
  EXPECT_NE(help.find("show 2 to 8 items side by side"), std::string::npos);
  EXPECT_NE(help.find("a line longer than 1024 bytes reads as 0"), std::string::npos);
}

TEST(ExitStatusTest, EachModeAndOutcome) {
  const std::vector<std::tuple<Mode, Outcome, int>> rows = {
      {Mode::kDescribe, Outcome::kDone, 0}, {Mode::kDescribe, Outcome::kFailed, 1},
      {Mode::kFind, Outcome::kUsage, 2},    {Mode::kCheck, Outcome::kWarnings, 3},
      {Mode::kDiff, Outcome::kDone, 0},     {Mode::kDiff, Outcome::kDifferent, 1},
      {Mode::kDiff, Outcome::kFailed, 2},   {Mode::kDiff, Outcome::kUsage, 2},
      {Mode::kCompare, Outcome::kDone, 0},
  };
  for (const auto& [mode, outcome, status] : rows)
    EXPECT_EQ(exitStatus(mode, outcome), status)
        << static_cast<int>(mode) << " " << static_cast<int>(outcome);
}

TEST(EscapeControlsTest, ControlCharactersButLineFeedAndTab) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"kard\tx\n", "kard\tx\n"},
      {"a\x01"
       "b",
       "a\\x01b"},
      {"\x1b[31m", "\\x1B[31m"},
      {"\x7f", "\\x7F"},
      {"\xc2\x85", "\\x85"},                             // C1, as UTF-8
      {"\xc3\xa9les \xc2\xa0", "\xc3\xa9les \xc2\xa0"},  // letters and a no-break space stay
      {"\r", "\\x0D"},
  };
  for (const auto& [text, wanted] : rows)
    EXPECT_EQ(escapeControls(text), wanted) << text;
}

// The lines readNumberLine reads from `input`.
std::vector<std::string> linesRead(const std::string& input) {
  std::FILE* file = std::tmpfile();
  std::fwrite(input.data(), 1, input.size(), file);
  std::rewind(file);
  std::vector<std::string> lines;
  for (std::string line; readNumberLine(file, line);)
    lines.push_back(line);
  std::fclose(file);
  return lines;
}

TEST(NumberLineTest, LinesUpToTheLimitKeptLongerOnesDropped) {
  const std::string longest(kLongestNumberLine, '7');
  const std::vector<std::pair<std::string, std::vector<std::string>>> rows = {
      {"", {}},
      {"12\r\n 5 \n", {"12\r", " 5 "}},  // the number reader drops the CR
      {"\n\n3", {"", "", "3"}},
      {longest + "\n1", {longest, "1"}},
      {longest + "7\n1", {"", "1"}},
      {longest + "77777\n", {""}},
  };
  for (const auto& [input, wanted] : rows)
    EXPECT_EQ(linesRead(input), wanted) << input.size();
}

}  // namespace
}  // namespace tamrix::cli
