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
    ++FTotal;
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

std::vector<const PaperItem*> RegisterPaper::Latest(std::uint64_t mark, std::size_t limit,
                                                   const std::function<bool(const PaperItem&)>& pick) const
{
    const std::uint64_t added = FTotal > mark ? FTotal - mark : 0;
    const std::size_t count = std::size_t(std::min<std::uint64_t>(added, FItems.size()));
    std::vector<const PaperItem*> items;
    for (std::size_t i = FItems.size(); i > FItems.size() - count && items.size() < limit; --i)
        if (pick(FItems[i - 1]))
            items.push_back(&FItems[i - 1]);
    std::reverse(items.begin(), items.end());
    return items;
}

std::vector<PaperItem> RegisterPaper::TakeSince(std::uint64_t mark)
{
    const std::uint64_t added = FTotal > mark ? FTotal - mark : 0;
    const std::size_t index = FItems.size() - std::size_t(std::min<std::uint64_t>(added, FItems.size()));
    std::vector<PaperItem> taken(std::make_move_iterator(FItems.begin() + std::ptrdiff_t(index)),
                                 std::make_move_iterator(FItems.end()));
    FItems.erase(FItems.begin() + std::ptrdiff_t(index), FItems.end());
    return taken;
}

void RegisterPaper::Restore(std::vector<PaperItem> items, std::uint64_t total)
{
    FItems = std::move(items);
    FTotal = total;
}
