// The console dialogue of regression on arbitrary input: two whole numbers or the error state,
// never a crash, and nothing written once the console has failed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "console.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    regression::Console console{&in, &out, false};
    const regression::Answers a = regression::ask_model_and_count(console);
    if (console.failed) {
        const std::size_t written = out.str().size();
        regression::write_text(console, "after the failure");
        if (out.str().size() != written) std::abort();
        if (regression::read_integer(console) != 0) std::abort();
    }
    (void)a;
    return 0;
}
