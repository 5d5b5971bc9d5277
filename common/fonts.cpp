#include "fonts.hpp"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace gfx {
namespace {

struct PatternDestroy {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDestroy>;

const FcChar8* fc_text(const std::string& s) {
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

// A face may carry several family names (localised ones too); any of them may be the one asked
// for. `first` gets the face's main name, for the report when none is.
bool has_family(FcPattern* match, const std::string& family, std::string& first) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        if (i == 0) first = reinterpret_cast<const char*>(name);
        if (FcStrCmpIgnoreCase(name, fc_text(family)) == 0) return true;
    }
    return false;
}

}  // namespace

FontLookup find_font(std::string_view family) {
    FontLookup found;
    const std::string name(family);
    const PatternPtr pattern(FcPatternCreate());
    if (!pattern || !FcPatternAddString(pattern.get(), FC_FAMILY, fc_text(name)) ||
        !FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) {
        return found;
    }
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    if (!match || !has_family(match.get(), name, found.offered)) return found;

    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return found;
    int index = 0;
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    found.path = reinterpret_cast<const char*>(file);
    found.index = index;
    found.offered.clear();
    return found;
}

}  // namespace gfx
