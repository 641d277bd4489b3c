// The registry file reader: any bytes load without harm, and what was read
// is written back as a file that reads the same values.
#include "platform/Registry.h"

#include <cstdint>
#include <cstdlib>

namespace {
bool Same(const TRegistry::Value& a, const TRegistry::Value& b)
{
    return a.name == b.name && a.type == b.type && a.integer == b.integer && a.text == b.text && a.data == b.data;
}

bool Same(const TRegistry::Hive& a, const TRegistry::Hive& b)
{
    if (a.size() != b.size())
        return false;
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i->first != j->first || i->second.path != j->second.path || i->second.values.size() != j->second.values.size())
            return false;
        for (auto v = i->second.values.begin(), w = j->second.values.begin(); v != i->second.values.end(); ++v, ++w)
            if (!Same(*v, *w))
                return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TRegistry::Hive hive;
    TRegistry::ParseHive(QByteArrayView(data, qsizetype(size)), hive);
    TRegistry::Hive again;
    if (TRegistry::ParseHive(TRegistry::HiveText(hive), again) != 0 || !Same(hive, again))
        std::abort();
    return 0;
}
