// Compile-time guard of the floating-point model: every float and double
// expression of the loader and the report must round to its type at each
// step, as on x86_64, so that 32-bit builds write the same report bytes.
// The build adds the flags (see CMakeLists.txt); this file stops a build
// that lost them. It holds no code.

// 32-bit x86 without SSE2 math evaluates in the x87 unit's 80-bit registers.
#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds need SSE2 floating point: compile with -msse2 -mfpmath=sse"
#endif

// FLT_EVAL_METHOD 0: every operation rounds to its operands' type.
#include <cfloat>
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0
#error "float and double expressions must be evaluated in their own type (FLT_EVAL_METHOD 0)"
#endif
