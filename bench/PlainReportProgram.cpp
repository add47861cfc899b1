// The plain program qx574 report is measured against, as a whole process: a Qt Core program
// that reads a collection, walks its recordings once (the energy average, maximum and minimum
// of the levels from 20 to 140 dB) and prints a line for each. With --version it prints its
// name and nothing else.
#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2)
        return 1;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("plain 1.0\n");
        return 0;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    const auto* m = reinterpret_cast<const unsigned char*>(bytes.constData());
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (size < 256)
        return 1;
    const auto bcd = [](unsigned char b) { return (b >> 4) * 10 + (b & 0x0F); };
    std::printf("set,start,duration_s,valid_samples,leq_db,lmax_db,lmin_db\n");
    const int sets = m[9] << 8 | m[10];
    std::size_t at = 256;
    for (int set = 1; set <= sets && at + 16 <= size; ++set) {
        const unsigned char* h = m + at;
        const int interval = h[10];
        const int count = h[11] << 16 | h[12] << 8 | h[13];
        at += 16;
        int valid = 0;
        double energy = 0.0;
        double lmax = 0.0;
        double lmin = 200.0;
        for (int k = 0; k < count && at + 2 <= size; ++k, at += 2) {
            const double level = ((m[at] & 0x0F) << 8 | m[at + 1]) / 10.0;
            if (level < 20.0 || level > 140.0)
                continue;
            ++valid;
            energy += std::pow(10.0, level / 10.0);
            lmax = std::max(lmax, level);
            lmin = std::min(lmin, level);
        }
        at += 2;  // the end marker
        std::printf("%d,20%02d-%02d-%02d %02d:%02d:%02d,%.1f,%d,%.1f,%.1f,%.1f\n", set, bcd(h[3]), bcd(h[4]),
                    bcd(h[5]), bcd(h[6]), bcd(h[7]), bcd(h[8]), static_cast<double>(count) * interval, valid,
                    valid ? 10.0 * std::log10(energy / valid) : 0.0, lmax, lmin);
    }
    return 0;
}
