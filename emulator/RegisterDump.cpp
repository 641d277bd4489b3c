#include "emulator/RegisterDump.h"

#include "emulator/OrvekResultCodes.h"

#include <QFile>

namespace {
const DumpAreaInfo Areas[] = {
    {0, "Стационарная проверка ФП", 0},
    {1, "Накопитель ФП1", 64 << 10},
    {2, "Накопитель ФП2", 64 << 10},
    {3, "Часы", 256},
    {4, "Энергонезависимая память", 8 << 10},
    {5, "Процессор ФП / Память программ ФП", 128 << 10},
    {6, "Память программ", 1 << 20},
    {7, "Оперативная память", 256 << 10},
    {8, "Образ файловой системы", 16 << 20},
    {9, "Образ uLinux", 4 << 20},
    {10, "Исполняемый файл ПО", 2 << 20},
    {134, "Память программ КЯ", 512 << 10},
};
} // namespace

const DumpAreaInfo* RegisterDump::FindArea(int code)
{
    for (const DumpAreaInfo& area : Areas)
        if (area.Code == code)
            return &area;
    return nullptr;
}

QByteArray RegisterDump::MadeContent(int code, qint64 offset, int count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (int i = 0; i < count; ++i) {
        const quint64 at = quint64(offset + i);
        bytes[i] = char((at * 31 + (at >> 8) * 7 + quint64(code) * 13) & 0xFF);
    }
    return bytes;
}

void RegisterDump::SetImage(int code, std::optional<QByteArray> image)
{
    if (image)
        FImages[code] = std::move(*image);
    else
        FImages.erase(code);
}

bool RegisterDump::Image(int code, std::optional<QByteArray>& image) const
{
    image.reset();
    if (auto it = FImages.find(code); it != FImages.end()) {
        image = it->second;
        return true;
    }
    const auto& files = FRegister.Config().DumpFiles;
    auto file = files.find(code);
    if (file == files.end())
        return true;
    QFile f(file->second);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxImageFile)
        return false;
    image = f.readAll();
    return true;
}

std::int32_t RegisterDump::Request(int code, std::int32_t& blockCount)
{
    const DumpAreaInfo* area = FindArea(code);
    if (!area)
        return OrvekResult::BadParameter;
    std::optional<QByteArray> image;
    if (!Image(code, image))
        return OrvekResult::FileError;
    FData = std::move(image);
    FSize = FData ? FData->size() : area->Size;
    FCode = code;
    FNext = 0;
    FOpen = true;
    blockCount = std::int32_t((FSize + BlockSize - 1) / BlockSize);
    return OrvekResult::Ok;
}

std::int32_t RegisterDump::Next(QByteArray& block, std::int32_t& number)
{
    const qint64 offset = qint64(FNext) * BlockSize;
    if (!FOpen || offset >= FSize) {
        FOpen = false;
        return OrvekResult::WrongMode;
    }
    const int count = int(std::min<qint64>(BlockSize, FSize - offset));
    block = FData ? FData->mid(offset, count) : MadeContent(FCode, offset, count);
    number = FNext++;
    return OrvekResult::Ok;
}
