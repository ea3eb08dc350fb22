// graphics.h and every public C++ header of the stack in one source file, graphics.h first:
// this builds only while no name is defined by both. The list is that of
// tests/package/public_headers.txt.
#include <graphics.h>

#include "graph/default_palette.h"
#include "graph/driver_interface.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/graph_types.h"
#include "graph/image_layout.h"
#include "graph/mode_record.h"
#include "graph/result_codes.h"
#include "graph/settings.h"
#include "graph/shapes.h"
#include "graph/text.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "keys/key_buffer.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/display_fit.h"
#include "platform/headless/headless.h"
#include "platform/screen_metrics.h"
#include "platform/standard_input_keys.h"
#include "platform/win_types.h"
#include "runtime/console_output.h"
#include "runtime/date_time.h"
#include "runtime/exit_chain.h"
#include "runtime/random.h"

// Both fronts name the same result codes and hold the same constants.
static_assert(grOk == 0 && grError == -11);
static_assert(SOLID_FILL == SolidFill && DETECT == Detect);
