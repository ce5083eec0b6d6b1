// The Unicode name of each character of the grid, read as Windows-1252.
#pragma once

#include <string>

namespace tessarin {

// "EURO SIGN" for 128, "LATIN SMALL LETTER A WITH GRAVE" for 224, "DELETE" for 127; empty
// for the five bytes Windows-1252 leaves undefined (129, 141, 143, 144, 157) and for
// codes below 32. The names come from the one table of all Unicode names.
const std::string& CharName(unsigned char code);

}  // namespace tessarin
