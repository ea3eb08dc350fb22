// Program initialisation of the layer and its exit handler.
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "graph_state.h"
#include "layer_internal.h"
#include "reset_for_tests.h"
#include "runtime/exit_chain.h"

namespace {

ExitHandler displacedExitHandler = nullptr;
bool exitHandlerChained = false;

void GraphExitHandler() {
  ExitProc = displacedExitHandler;
  exitHandlerChained = false;
  // Only a run-time error closes the window through the layer; any other end leaves it to
  // disappear with the process.
  if (Graph.IsGraphMode && RunTimeErrorPending && CloseGraphHook) CloseGraphHook();
  FreeFonts();
  FreeModeRegistry();
}

}  // namespace

void StartGraphLayer(void (*registerDriver)()) {
  Graph.IsGraphMode = false;
  FreeModeRegistry();
  OnceOnlyStartHook = nullptr;
  if (registerDriver) registerDriver();
  FreeFonts();
  RegisterStandardFonts();
  // Starting twice must not chain the handler in front of itself.
  if (!exitHandlerChained) {
    displacedExitHandler = ChainExitHandler(GraphExitHandler);
    exitHandlerChained = true;
  }
}

void ResetGraphLayerForTests() {
  FreeModeRegistry();
  FreeFonts();
  Graph = GraphState{};
  ResetSlots();
  OnceOnlyStartHook = nullptr;
  CompanionHook = nullptr;
  CloseGraphHook = nullptr;
  for (auto& row : FillPatternTable[UserFill]) row = 0;
}
