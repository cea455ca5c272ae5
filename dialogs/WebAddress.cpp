#include "dialogs/WebAddress.h"

#include "data/NameFolding.h"

#include <algorithm>

bool IsWebAddress(const std::string& address)
{
    static const std::string kSchemes[] = {"http://", "https://", "mailto:"};
    const std::string folded = LowerAZ(address);
    const bool known = std::any_of(std::begin(kSchemes), std::end(kSchemes), [&](const std::string& scheme) {
        return folded.size() > scheme.size() && folded.compare(0, scheme.size(), scheme) == 0;
    });
    // A quote or a blank would end the address inside the handler's command line.
    return known && std::none_of(address.begin(), address.end(), [](char c) {
               const unsigned char b = static_cast<unsigned char>(c);
               return b <= ' ' || b == 0x7F || b == '"';
           });
}
