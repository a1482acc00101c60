// Adding lines to a full log list: the Communication dialog's message list
// (4096 lines) and the terminal list (32786 lines), each with a list view on
// it and without one.

#include <QApplication>

#include <benchmark/benchmark.h>
#include <string>

#include "ui/kit/log_list_model.h"
#include "ui/kit/log_list_view.h"

namespace {

constexpr int kMessageCapacity = 4096;
constexpr int kTerminalCapacity = 32786;
constexpr int kLinesPerIteration = 100000;

// Built from bytes each time, as the host does with every line off the wire.
const std::string kLines[] = {"GA=6400", "COMPLETE"};

// With a view, the window system runs (and the view repaints) after every
// `linesPerTurn` lines: a full read or a LUT transfer lets it run after every
// two to four lines, a flood of lines less often.
void AddLines(cct::LogListModel& model, int count, int linesPerTurn) {
  for (int i = 0; i < count; ++i) {
    model.AddLine(QString::fromStdString(kLines[i & 1]));
    if (linesPerTurn > 0 && (i + 1) % linesPerTurn == 0) QCoreApplication::processEvents();
  }
}

void BM_AddToFullLog(benchmark::State& state) {
  const int capacity = static_cast<int>(state.range(0));
  const int linesPerTurn = static_cast<int>(state.range(1));  // 0: no view
  const bool withView = linesPerTurn > 0;
  cct::LogListModel model(capacity, capacity * 24);
  cct::LogListView view;
  if (withView) {
    view.SetModel(&model);
    view.resize(400, 300);
    view.show();
  }
  AddLines(model, capacity, linesPerTurn);
  QCoreApplication::processEvents();
  if (model.Count() != capacity) state.SkipWithError("the log did not fill");

  for (auto _ : state) AddLines(model, kLinesPerIteration, linesPerTurn);

  // Time per added line, not per batch.
  state.counters["per_line"] =
      benchmark::Counter(kLinesPerIteration, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
  state.SetItemsProcessed(state.iterations() * kLinesPerIteration);
}

BENCHMARK(BM_AddToFullLog)
    ->ArgNames({"capacity", "view_turn_every"})
    ->Args({kMessageCapacity, 0})
    ->Args({kMessageCapacity, 100})
    ->Args({kMessageCapacity, 2})
    ->Args({kTerminalCapacity, 0})
    ->Args({kTerminalCapacity, 100})
    ->Args({kTerminalCapacity, 2})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
