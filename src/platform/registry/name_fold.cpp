#include "platform/registry/name_fold.h"

namespace pointilla::registry {

std::string foldName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        unsigned char upper = b;
        if (b >= 'a' && b <= 'z') {
            upper = static_cast<unsigned char>(b - 0x20);
        } else if (b >= 0xE0 && b <= 0xFE && b != 0xF7) {  // à..þ except ÷
            upper = static_cast<unsigned char>(b - 0x20);
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) {  // š œ ž
            upper = static_cast<unsigned char>(b - 0x10);
        } else if (b == 0xFF) {  // ÿ
            upper = 0x9F;
        }
        c = static_cast<char>(upper);
    }
    return out;
}

}  // namespace pointilla::registry
