#include "files/ChartStateBlock.h"

#include "files/ByteStream.h"

namespace {

constexpr std::uint32_t Magic = 0x53435851;  // "QXCS" read as little-endian
// Version 1 ends with the annotations; version 2 adds the facts of the levels after them. A
// chart without facts is written as version 1, so that what the program wrote before and what
// reads it stay as they were.
constexpr std::uint32_t Version = 1;
constexpr std::uint32_t VersionWithFacts = 2;

void PutAnnotation(ByteWriter& out, const GraphAnnotation& note)
{
    out.Put(note.Type);
    out.Put(note.X);
    out.Put(note.Y);
    out.PutText(note.Text);
    out.Put(note.Color);
}

GraphAnnotation GetAnnotation(ByteReader& in)
{
    GraphAnnotation note;
    note.Type = in.Get<std::int32_t>();
    note.X = in.Get<double>();
    note.Y = in.Get<double>();
    note.Text = in.GetText();
    note.Color = in.Get<std::uint32_t>();
    return note;
}

// The fixed-size part: scales, look and switches, in one order for both directions.
template <typename Io>
void Settings(Io& io, ChartState& s)
{
    io.Num(s.NullDataValueY);
    io.Num(s.ManualScaleControlX);
    io.Num(s.ManualScaleControlY);
    io.Num(s.ManualMinX);
    io.Num(s.ManualMaxX);
    io.Num(s.ManualMinY);
    io.Num(s.ManualMaxY);
    io.Text(s.MainTitle);
    io.Text(s.SubTitle);
    io.Text(s.XAxisLabel);
    io.Text(s.YAxisLabel);
    io.Num(s.YAxisColor);
    io.Num(s.GridStyle);
    io.Num(s.ViewingStyle);
    io.Num(s.DateTimeMode);
    io.Flag(s.UsingXDataII);
    io.Num(s.AllowZooming);
    io.Flag(s.ScrollingHorzZoom);
    io.Flag(s.ScrollingVertZoom);
    io.Num(s.ArrowCursor);
    io.Num(s.AllowDataLabels);
    io.Num(s.WorkingAxis);
    io.Flag(s.PrepareImages);
    io.Flag(s.SubsetByPoint);
    io.Flag(s.AllowPopup);
    io.Flag(s.NoHelp);
    io.Flag(s.ShowGraphAnnotations);
    io.Flag(s.AllowGraphAnnotHotSpots);
    io.Num(s.GraphAnnotationTextSize);
    io.Num(s.VertLineAnnotation[0]);
    io.Num(s.VertLineAnnotation[1]);
    io.Text(s.VertLineAnnotationText[0]);
    io.Text(s.VertLineAnnotationText[1]);
    io.Flag(s.ShowVertLineAnnotations);
    io.Flag(s.AllowVertLineAnnotHotSpots);
    io.Num(s.LineAnnotationTextSize);
    io.Flag(s.AllowTitlesDialog);
    io.Flag(s.AllowSubsetsPage);
    io.Flag(s.AllowStylePage);
}

struct Storing {
    ByteWriter& out;
    template <typename T> void Num(T& value) { out.Put(value); }
    void Flag(bool& value) { out.PutBool(value); }
    void Text(QString& value) { out.PutText(value); }
};

struct Loading {
    ByteReader& in;
    template <typename T> void Num(T& value) { value = in.Get<T>(); }
    void Flag(bool& value) { value = in.GetBool(); }
    void Text(QString& value) { value = in.GetText(); }
};

std::optional<ChartState> Damaged(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

}  // namespace

QByteArray StoreChartState(const ChartState& state)
{
    ChartState s = state;
    ByteWriter out;
    out.Put(Magic);
    const bool facts = !s.Facts.IsEmpty();
    out.Put(facts ? VersionWithFacts : Version);
    Storing storing{out};
    Settings(storing, s);

    out.Put(s.Subsets);
    out.Put(s.Points);
    out.PutArray(s.XDataII);
    out.PutArray(s.YData);
    for (std::size_t i = 0; i < static_cast<std::size_t>(s.Subsets); ++i) {
        out.PutText(i < s.SubsetLabels.size() ? s.SubsetLabels[i] : QString());
        out.Put(i < s.SubsetColors.size() ? s.SubsetColors[i] : PEargb(255, 0, 0, 0));
        out.Put(i < s.SubsetLineTypes.size() ? s.SubsetLineTypes[i] : 0);
    }
    out.Put(static_cast<std::uint32_t>(s.GraphAnnotations.size()));
    for (const GraphAnnotation& note : s.GraphAnnotations)
        PutAnnotation(out, note);
    if (facts) {
        out.Put(s.Facts.Weighting);
        out.Put(s.Facts.Response);
        out.Put(s.Facts.RangeLowDb);
        out.Put(s.Facts.RangeHighDb);
        out.Put(s.Facts.IntervalSeconds);
    }
    return out.bytes;
}

std::optional<ChartState> LoadChartState(const QByteArray& block, QString* error)
{
    ByteReader in(block);
    if (in.Get<std::uint32_t>() != Magic)
        return Damaged(error, QStringLiteral("not a chart state block"));
    const auto version = in.Get<std::uint32_t>();
    if (version != Version && version != VersionWithFacts)
        return Damaged(error, QStringLiteral("unknown chart state version"));

    ChartState s;
    Loading loading{in};
    Settings(loading, s);

    s.Subsets = in.Get<std::int32_t>();
    s.Points = in.Get<std::int32_t>();
    if (!in.Ok())
        return Damaged(error, QStringLiteral("chart state block is truncated"));
    if (s.Subsets < 1 || s.Subsets > MaxSubsets || s.Points < 0 || s.Points > MaxPoints)
        return Damaged(error, QStringLiteral("chart state block has impossible counts"));
    const auto cells = static_cast<std::uint64_t>(s.Subsets) * static_cast<std::uint64_t>(s.Points);
    if (!in.GetArray(s.XDataII, cells) || !in.GetArray(s.YData, cells))
        return Damaged(error, QStringLiteral("chart state block holds fewer points than it says"));

    for (std::int32_t i = 0; i < s.Subsets; ++i) {
        s.SubsetLabels.push_back(in.GetText());
        s.SubsetColors.push_back(in.Get<std::uint32_t>());
        s.SubsetLineTypes.push_back(in.Get<std::int32_t>());
    }
    const auto notes = in.Get<std::uint32_t>();
    // Each annotation takes at least 28 bytes, which bounds the count before reserving.
    if (!in.Ok() || notes > static_cast<std::uint64_t>(MaxAnnotations)
        || notes > static_cast<std::uint64_t>(in.Left()) / 28)
        return Damaged(error, QStringLiteral("chart state block holds fewer annotations than it says"));
    s.GraphAnnotations.reserve(notes);
    for (std::uint32_t i = 0; i < notes; ++i)
        s.GraphAnnotations.push_back(GetAnnotation(in));
    if (version == VersionWithFacts) {
        s.Facts.Weighting = in.Get<std::int32_t>();
        s.Facts.Response = in.Get<std::int32_t>();
        s.Facts.RangeLowDb = in.Get<std::int32_t>();
        s.Facts.RangeHighDb = in.Get<std::int32_t>();
        s.Facts.IntervalSeconds = in.Get<double>();
        // A code this program does not know is a fact not known, not a damaged file.
        for (std::int32_t* code : {&s.Facts.Weighting, &s.Facts.Response})
            if (*code < 0 || *code > 3)
                *code = 0;
        if (!(s.Facts.IntervalSeconds >= 0.0 && s.Facts.IntervalSeconds < 1.0e6))
            s.Facts.IntervalSeconds = 0.0;
    }

    if (!in.Ok())
        return Damaged(error, QStringLiteral("chart state block is truncated"));
    if (in.Left() != 0)
        return Damaged(error, QStringLiteral("chart state block has bytes after its end"));
    return s;
}
