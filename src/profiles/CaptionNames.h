#pragma once

#include <string>
#include <string_view>
#include <vector>

// Captions are the store's section names: two captions that name one section (the same
// once made storable, ASCII case aside) would be one profile at the next save, and the
// other would be lost. These decide which captions may stand side by side.

// The caption names a section at all (it is not blank once made storable).
bool NamesASection(std::string_view caption);

// The two captions name the same section of the store.
bool NameTheSameSection(std::string_view a, std::string_view b);

// `base` when no caption of `taken` names its section; otherwise the first of
// "base 2", "base 3", … that none names.
std::string FreeCaption(const std::string& base, const std::vector<std::string>& taken);
