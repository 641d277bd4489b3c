// Runs a fuzz entry without libFuzzer: every input of the corpus folders
// given, then random variations of them until the time is up.
//   fuzz_<name> [--seconds N] [--seed S] <corpus folder or file>...
// A crash writes the input to crash-<name>-<seed> in the working folder and
// prints its path, so it can join the corpus as a regression input.
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {
using Bytes = std::vector<uint8_t>;

// The input running now, written out when the program dies on it.
const Bytes* g_input = nullptr;
char g_crashName[256] = "crash-input";

void WriteCrash()
{
    if (!g_input)
        return;
    const int fd = open(g_crashName, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        const ssize_t written = write(fd, g_input->data(), g_input->size());
        (void)written;
        close(fd);
    }
    const char note[] = "\nfuzz: the input that failed is in ";
    ssize_t n = write(2, note, sizeof note - 1);
    n = write(2, g_crashName, strlen(g_crashName));
    n = write(2, "\n", 1);
    (void)n;
    g_input = nullptr;
}

void OnSignal(int signal)
{
    WriteCrash();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void Run(const Bytes& input)
{
    g_input = &input;
    LLVMFuzzerTestOneInput(input.data(), input.size());
    g_input = nullptr;
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// One random change: a byte changed, inserted or removed, a piece copied
// elsewhere, or a piece of another input spliced in.
void Mutate(Bytes& data, const std::vector<Bytes>& corpus, std::mt19937_64& random)
{
    auto pick = [&](size_t n) { return n ? size_t(random() % n) : 0; };
    static const uint8_t interesting[] = {0, 0xFF, 0x7F, 0x80, '\n', '\r', '"', '\\', '[', ']', '=', ':', ',', '#', '.', '0', '9'};
    switch (random() % 6) {
    case 0:
        if (!data.empty())
            data[pick(data.size())] = uint8_t(random());
        break;
    case 1:
        data.insert(data.begin() + std::ptrdiff_t(pick(data.size() + 1)), interesting[pick(std::size(interesting))]);
        break;
    case 2:
        if (!data.empty()) {
            const size_t at = pick(data.size());
            data.erase(data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + 1 + pick(std::min<size_t>(16, data.size() - at))));
        }
        break;
    case 3:
        if (!data.empty() && data.size() < 1 << 16) {
            const size_t from = pick(data.size());
            const size_t length = 1 + pick(std::min<size_t>(64, data.size() - from));
            const Bytes piece(data.begin() + std::ptrdiff_t(from), data.begin() + std::ptrdiff_t(from + length));
            data.insert(data.begin() + std::ptrdiff_t(pick(data.size() + 1)), piece.begin(), piece.end());
        }
        break;
    case 4: {
        const Bytes& other = corpus[pick(corpus.size())];
        if (!other.empty()) {
            const size_t from = pick(other.size());
            const size_t length = 1 + pick(std::min<size_t>(128, other.size() - from));
            data.insert(data.begin() + std::ptrdiff_t(pick(data.size() + 1)), other.begin() + std::ptrdiff_t(from),
                        other.begin() + std::ptrdiff_t(from + length));
        }
        break;
    }
    default:
        if (!data.empty())
            data[pick(data.size())] ^= uint8_t(1u << pick(8));
        break;
    }
}
} // namespace

int main(int argc, char** argv)
{
    double seconds = 2;
    uint64_t seed = uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seconds" && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = std::strtoull(argv[++i], nullptr, 10);
        else if (std::filesystem::is_directory(arg)) {
            std::vector<std::filesystem::path> files;
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end());
            for (const auto& file : files)
                corpus.push_back(ReadFile(file));
        } else
            corpus.push_back(ReadFile(arg));
    }
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    std::snprintf(g_crashName, sizeof g_crashName, "crash-%s-%llu", name.c_str(), (unsigned long long)seed);
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, OnSignal);
    if (__sanitizer_set_death_callback)
        __sanitizer_set_death_callback(WriteCrash);

    corpus.emplace_back();   // the empty input too
    for (const Bytes& input : corpus)
        Run(input);
    std::mt19937_64 random(seed);
    long runs = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        Bytes input = corpus[random() % corpus.size()];
        for (int n = 1 + int(random() % 8); n > 0; --n)
            Mutate(input, corpus, random);
        Run(input);
        ++runs;
    }
    std::printf("%s: %zu corpus inputs and %ld random ones (seed %llu) ran clean\n", name.c_str(), corpus.size(), runs,
                (unsigned long long)seed);
    return 0;
}
