// The text trace of drawing operations: one line per operation, frames separated.
// Written when GFX_TRACE names a file, with either backend.
#pragma once

#include <initializer_list>
#include <string_view>

namespace gfx {

bool tracing();
// Opens the trace named by GFX_TRACE (once; later calls do nothing).
void trace_open_from_env();
// "name a b c": doubles in their shortest exact form (120, 546.09375, nan, inf).
void trace_op(std::string_view name, std::initializer_list<double> args);
// "name a b \"text\"": the text quoted, with \" \\ and \xNN for other bytes outside 32..126.
void trace_text(std::string_view name, std::initializer_list<double> args, std::string_view text);
void trace_flush();

}  // namespace gfx
