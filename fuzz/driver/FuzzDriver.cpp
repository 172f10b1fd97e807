// A small stand-in for libFuzzer where it is not available (gcc): runs the target over the seed files
// and over a bounded, reproducible series of mutations of them and of random bytes. Files named on the
// command line are replayed as they are.
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);
// A target may offer extra seeds (recorded traffic, worked examples) of its own.
__attribute__((weak)) std::vector<QByteArray> KelvaneFuzzSeeds();
// A target may name short pieces its input is made of (the shapes its parser tells apart): the
// mutations then also insert them whole, which random bytes reach too rarely for a bounded run.
__attribute__((weak)) std::vector<QByteArray> KelvaneFuzzTokens();

namespace
{
void Run(const QByteArray& input)
{
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.constData()), size_t(input.size()));
}

QByteArray Mutate(QByteArray in, std::mt19937& rng, const std::vector<QByteArray>& tokens)
{
    std::uniform_int_distribution<int> op(0, tokens.empty() ? 7 : 9);
    const int steps = 1 + int(rng() % 6);
    for (int s = 0; s < steps; ++s)
    {
        const int size = in.size();
        switch (op(rng))
        {
        case 0: // flip a bit
            if (size)
                in[int(rng() % size)] = char(in[int(rng() % size)] ^ (1 << (rng() % 8)));
            break;
        case 1: // random byte
            if (size)
                in[int(rng() % size)] = char(rng());
            break;
        case 2: // truncate
            if (size)
                in.truncate(int(rng() % size));
            break;
        case 3: // insert random bytes
        {
            QByteArray extra;
            for (int i = 0, n = 1 + int(rng() % 16); i < n; ++i)
                extra.append(char(rng()));
            in.insert(size ? int(rng() % size) : 0, extra);
            break;
        }
        case 4: // duplicate a chunk
            if (size)
            {
                int from = int(rng() % size), len = 1 + int(rng() % std::min(size - from, 64));
                in.insert(int(rng() % size), in.mid(from, len));
            }
            break;
        case 5: // interesting values
        {
            static const unsigned char vals[] = {0x00, 0xff, 0x7f, 0x80, ',', '*', '$', '!', '\r', '\n', '^', '0', '9'};
            if (size)
                in[int(rng() % size)] = char(vals[rng() % sizeof vals]);
            break;
        }
        case 6: // remove a chunk
            if (size)
                in.remove(int(rng() % size), 1 + int(rng() % 8));
            break;
        case 7: // four bytes of 0xff (huge counts in streams)
            if (size >= 4)
                std::memset(in.data() + rng() % (size - 3), 0xff, 4);
            break;
        default: // a piece of the target's own
            in.insert(size ? int(rng() % (size + 1)) : 0, tokens[rng() % tokens.size()]);
            break;
        }
    }
    return in;
}
// Writes the target's built-in seeds into a folder, one file each named by its SHA-1 as libFuzzer
// names its corpus files, so that libFuzzer starts from them as this driver does.
int WriteSeeds(const QString& folder)
{
    if (!KelvaneFuzzSeeds || !QDir().mkpath(folder))
        return 1;
    for (const QByteArray& seed : KelvaneFuzzSeeds())
    {
        QFile f(QDir(folder).filePath(
            QString::fromLatin1(QCryptographicHash::hash(seed, QCryptographicHash::Sha1).toHex())));
        if (!f.open(QIODevice::WriteOnly) || f.write(seed) != seed.size() || !f.flush())
            return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    long runs = 2000;
    QString seedDir;
    std::vector<QByteArray> seeds;
    for (int i = 1; i < argc; ++i)
    {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = std::strtol(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--seed-dir") && i + 1 < argc)
            seedDir = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--write-seeds") && i + 1 < argc)
            return WriteSeeds(QString::fromLocal8Bit(argv[++i]));
        else
        {
            QFile f(QString::fromLocal8Bit(argv[i]));
            if (f.open(QIODevice::ReadOnly))
                Run(f.readAll());
            return 0;
        }
    }
    if (!seedDir.isEmpty())
    {
        for (const QFileInfo& info : QDir(seedDir).entryInfoList(QDir::Files))
        {
            QFile f(info.filePath());
            if (f.open(QIODevice::ReadOnly))
                seeds.push_back(f.readAll());
        }
    }
    if (KelvaneFuzzSeeds)
        for (const QByteArray& s : KelvaneFuzzSeeds())
            seeds.push_back(s);
    for (const QByteArray& s : seeds)
        Run(s);

    const std::vector<QByteArray> tokens = KelvaneFuzzTokens ? KelvaneFuzzTokens() : std::vector<QByteArray>();
    std::mt19937 rng(20261207u);
    for (long r = 0; r < runs; ++r)
    {
        QByteArray input;
        if (!seeds.empty() && (r % 8) != 7)
            input = Mutate(seeds[rng() % seeds.size()], rng, tokens);
        else
            for (int i = 0, n = int(rng() % 512); i < n; ++i)
                input.append(char(rng()));
        Run(input);
    }
    std::printf("fuzz: %zu seeds, %ld generated inputs, no failure\n", seeds.size(), runs);
    return 0;
}
