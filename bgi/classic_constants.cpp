// graphics.h spells its constants as numbers, since C cannot include the layer's C++
// headers; here they are held to the layer's own values. (The result codes are one
// definition that both include.)
#include "arguments.h"
#include "graph/graph_types.h"

static_assert(DETECT == Detect);
static_assert(EMPTY_FILL == EmptyFill && SOLID_FILL == SolidFill && LINE_FILL == LineFill &&
              LTSLASH_FILL == LtSlashFill && SLASH_FILL == SlashFill &&
              BKSLASH_FILL == BkSlashFill && LTBKSLASH_FILL == LtBkSlashFill &&
              HATCH_FILL == HatchFill && XHATCH_FILL == XHatchFill &&
              INTERLEAVE_FILL == InterleaveFill && WIDE_DOT_FILL == WideDotFill &&
              CLOSE_DOT_FILL == CloseDotFill && USER_FILL == UserFill);
static_assert(SOLID_LINE == SolidLn && DOTTED_LINE == DottedLn && CENTER_LINE == CenterLn &&
              DASHED_LINE == DashedLn && USERBIT_LINE == UserBitLn);
static_assert(NORM_WIDTH == NormWidth && THICK_WIDTH == ThickWidth);
static_assert(COPY_PUT == NormalPut && XOR_PUT == XORPut && OR_PUT == OrPut && AND_PUT == AndPut &&
              NOT_PUT == NotPut);
static_assert(DEFAULT_FONT == DefaultFont && TRIPLEX_FONT == TriplexFont &&
              SMALL_FONT == SmallFont && SANS_SERIF_FONT == SansSerifFont &&
              GOTHIC_FONT == GothicFont && SCRIPT_FONT == ScriptFont &&
              SIMPLEX_FONT == SimplexFont && TRIPLEX_SCR_FONT == TriplexScrFont &&
              COMPLEX_FONT == ComplexFont && EUROPEAN_FONT == EuropeanFont &&
              BOLD_FONT == BoldFont);
static_assert(HORIZ_DIR == HorizDir && VERT_DIR == VertDir);
static_assert(LEFT_TEXT == LeftText && CENTER_TEXT == CenterText && RIGHT_TEXT == RightText &&
              BOTTOM_TEXT == BottomText && TOP_TEXT == TopText);
