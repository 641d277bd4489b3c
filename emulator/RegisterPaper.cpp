#include "emulator/RegisterPaper.h"

#include <algorithm>
#include <iterator>

namespace {
// The paper keeps the latest lines; a long load test does not eat the memory.
constexpr std::size_t MaxItems = 200000;
}

void RegisterPaper::Add(PaperItem item)
{
    if (FItems.size() >= MaxItems)
        FItems.erase(FItems.begin(), FItems.begin() + MaxItems / 2);
    FItems.push_back(std::move(item));
}

void RegisterPaper::AddText(const QString& text, int font)
{
    PaperItem item;
    item.Text = text;
    item.Font = font;
    Add(std::move(item));
}

QStringList RegisterPaper::Texts() const
{
    QStringList texts;
    for (const PaperItem& item : FItems)
        if (item.Kind == PaperKind::Text)
            texts << item.Text;
    return texts;
}

std::vector<PaperItem> RegisterPaper::ItemsOf(PaperKind kind) const
{
    std::vector<PaperItem> items;
    for (const PaperItem& item : FItems)
        if (item.Kind == kind)
            items.push_back(item);
    return items;
}

std::vector<PaperItem> RegisterPaper::TakeFrom(std::size_t index)
{
    index = std::min(index, FItems.size());
    std::vector<PaperItem> taken(std::make_move_iterator(FItems.begin() + std::ptrdiff_t(index)),
                                 std::make_move_iterator(FItems.end()));
    FItems.erase(FItems.begin() + std::ptrdiff_t(index), FItems.end());
    return taken;
}
