#include "recording/FileKind.h"

#include <gtest/gtest.h>

TEST(FileKind, NamesRouteByTheirLowerCasedExtension)
{
    struct Case {
        const char* name;
        FileKind kind;
    } cases[] = {
        {"/a/b.ghf", FileKind::Graph},      {"/a/B.GHF", FileKind::Graph},
        {"/a/b.txt", FileKind::TabText},    {"/a/b.TxT", FileKind::TabText},
        {"/a/b.csv", FileKind::CommaText},  {"/a/b.CSV", FileKind::CommaText},
        {"/a/b.qxs", FileKind::Survey},     {"/a/b.QXS", FileKind::Survey},
        {"/a/night.REC", FileKind::Collection}, {"/a/night.rec", FileKind::Collection},
        {"/a/b.dat", FileKind::Other},      {"/a/ghf", FileKind::Other},
        {"/a.ghf/b", FileKind::Other},      {"", FileKind::Other},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KindOfFileName(QString::fromLatin1(c.name)), c.kind) << c.name;
}
