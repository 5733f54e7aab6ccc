#include "cli/aux_commands.hpp"
#include "cli/check_pipeline.hpp"
#include "cli/command_line.hpp"
#include "cli/report_command.hpp"

namespace tessan {

namespace {

struct Runner {
  int operator()(const Check& check) const { return run_check(check); }
  int operator()(const Report& report) const { return run_report(report); }
  int operator()(const Inspect& inspect) const { return run_inspect(inspect); }
  int operator()(const Health&) const { return run_health(); }
  int operator()(const Install&) const { return run_install(); }
};

}  // namespace

int dispatch(const Cli& cli) {
  return std::visit(Runner{}, cli);
}

}  // namespace tessan
