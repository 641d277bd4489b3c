// The reader of a register's kept folder: whatever its four files hold, a
// register is made from them, taken with its port held (repaired or set
// aside) and its documents and state read back.
// The input is one byte of mode, then the four files in turn (state.bin,
// journal.bin, documents.bin, documents.idx), each a 32-bit little-endian
// length and that many bytes (cut to what is left); a file whose length is
// not there is not made. Mode bit 0: the checksums and identities are put
// right first, so changes reach past them. fuzz/make_register_files_seeds
// writes real folders this way.
#include "emulator/EmulatedRegister.h"
#include "emulator/RegisterFN.h"
#include "emulator/RegisterPortLock.h"
#include "emulator/RegisterStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {
constexpr qsizetype HeaderSize = 48;
constexpr qsizetype IdentityAt = 8, IdentitySize = 16, LengthAt = 32, PayloadSumAt = 40, HeaderSumAt = 44;

template <class T> T Get(const QByteArray& bytes, qsizetype at)
{
    T value;
    std::memcpy(&value, bytes.constData() + at, sizeof value);
    return value;
}

template <class T> void Set(QByteArray& bytes, qsizetype at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

// The files as a writer would have left them around their contents: the
// snapshot's identity in every header, each header's and the snapshot's
// checksums, each whole record's length check and checksum, each index
// entry's checksum of the document it points at.
void Mend(std::array<QByteArray, 4>& files)
{
    auto& [snapshot, journal, documents, index] = files;
    if (snapshot.size() >= HeaderSize) {
        const QByteArrayView payload = QByteArrayView(snapshot).sliced(HeaderSize);
        Set(snapshot, LengthAt, quint64(payload.size()));
        Set(snapshot, PayloadSumAt, RegisterStore::Checksum(payload));
    }
    for (QByteArray& file : files) {
        if (file.size() < HeaderSize)
            continue;
        if (&file != &snapshot && snapshot.size() >= HeaderSize)
            file.replace(IdentityAt, IdentitySize, snapshot.constData() + IdentityAt, IdentitySize);
        Set(file, HeaderSumAt, RegisterStore::Checksum(QByteArrayView(file).first(HeaderSumAt)));
    }
    for (qsizetype at = HeaderSize; at + 12 <= journal.size();) {
        const quint32 length = Get<quint32>(journal, at);
        if (length > journal.size() - at - 12)
            break;
        Set(journal, at + 4, ~length ^ 0xA5C3E1F0u);
        Set(journal, at + 8, RegisterStore::Checksum(QByteArrayView(journal).sliced(at + 12, length)));
        at += 12 + qsizetype(length);
    }
    for (qsizetype at = HeaderSize; at + 16 <= index.size(); at += 16) {
        const qint64 offset = Get<qint64>(index, at);
        const quint32 size = Get<quint32>(index, at + 8);
        if (offset >= 0 && offset <= documents.size() && size <= documents.size() - offset)
            Set(index, at + 12, RegisterStore::Checksum(QByteArrayView(documents).sliced(offset, size)));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QTemporaryDir dir;
    if (size == 0 || !dir.isValid())
        return 0;
    const QString folder = dir.path();
    const bool mend = (data[0] & 1) != 0;
    ++data;
    --size;
    std::array<QByteArray, 4> files;
    std::array<bool, 4> made{};
    for (std::size_t i = 0; i < files.size() && size >= 4; ++i) {
        quint32 length = 0;
        std::memcpy(&length, data, 4);
        const size_t n = std::min<size_t>(length, size - 4);
        files[i] = QByteArray(reinterpret_cast<const char*>(data + 4), qsizetype(n));
        made[i] = true;
        data += 4 + n;
        size -= 4 + n;
    }
    if (mend)
        Mend(files);
    RegisterStore names(folder);
    const QString fileNames[] = {names.SnapshotFile(), names.JournalFile(), names.DocumentsFile(), names.IndexFile()};
    for (std::size_t i = 0; i < files.size(); ++i) {
        QFile file(fileNames[i]);
        if (made[i] && file.open(QIODevice::WriteOnly))
            file.write(files[i]);
    }

    RegisterConfig config;
    config.StateFolder = folder;
    EmulatedRegister reg(config);   // reads only
    {
        auto hold = RegisterPortLock::Take(folder);
        reg.Refresh();   // repairs, sets damage aside, keeps
    }
    FNDocumentList& docs = reg.Area<RegisterFN>().Documents;
    const std::size_t count = docs.size();
    for (std::size_t i = 0; i < std::min<std::size_t>(count, 3); ++i)
        (void)docs[i].Number;
    for (std::size_t i = count - std::min<std::size_t>(count, 3); i < count; ++i)
        (void)docs[i].Number;
    RegisterStore::StateOf(reg);
    return 0;
}
