// Remapping one colour channel of a picture from its untouched copy: which bytes
// are rewritten, which are left alone, and what a too small copy does.

#include "logo/ChannelRemap.h"
#include "platform/RunTimeError.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace
{

using Table = std::array<std::uint8_t, 256>;

Table Inverted()
{
    Table t{};
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<std::uint8_t>(255 - i);
    return t;
}

Table Plus(int step)
{
    Table t{};
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = static_cast<std::uint8_t>((static_cast<int>(i) + step) & 0xFF);
    return t;
}

// Pixel memory with guard bytes on both sides, to see that nothing beyond the
// picture is read into or written.
class GuardedPicture
{
public:
    static constexpr std::size_t Guard = 64;
    static constexpr std::uint8_t GuardByte = 0xA5;

    GuardedPicture(std::int32_t width, std::int32_t rows, int bitsPerPixel, std::uint8_t seed)
        : bitsPerPixel_(bitsPerPixel),
          bytesPerRow_(platform::Bitmap::RowBytesFor(width, bitsPerPixel)), rows_(rows),
          memory_(Guard + Size() + Guard, GuardByte)
    {
        for (std::size_t i = 0; i < Size(); ++i)
            memory_[Guard + i] = static_cast<std::uint8_t>(seed + 7 * i);
    }

    logo::PixelView View()
    {
        return {.bitsPerPixel = bitsPerPixel_,
                .bytesPerRow = bytesPerRow_,
                .rows = rows_,
                .bits = memory_.data() + Guard};
    }
    std::int32_t BytesPerRow() const { return bytesPerRow_; }
    std::size_t Size() const { return std::size_t(bytesPerRow_) * std::size_t(rows_); }
    std::uint8_t At(std::int32_t row, std::int32_t column) const
    {
        return memory_[Guard + std::size_t(row) * std::size_t(bytesPerRow_) + std::size_t(column)];
    }
    std::vector<std::uint8_t> Bytes() const
    {
        return {memory_.begin() + Guard, memory_.end() - Guard};
    }
    bool GuardsIntact() const
    {
        for (std::size_t i = 0; i < Guard; ++i)
            if (memory_[i] != GuardByte || memory_[memory_.size() - 1 - i] != GuardByte)
                return false;
        return true;
    }

private:
    int bitsPerPixel_;
    std::int32_t bytesPerRow_;
    std::int32_t rows_;
    std::vector<std::uint8_t> memory_;
};

// After a remap of destination from source through table, the byte columns in
// changed hold table[source] in every row, and every other byte is as it was.
void ExpectChangedColumns(const GuardedPicture& destination,
                          const std::vector<std::uint8_t>& before, const GuardedPicture& source,
                          const Table& table, const std::set<std::int32_t>& changed,
                          std::int32_t rows)
{
    for (std::int32_t y = 0; y < rows; ++y)
        for (std::int32_t x = 0; x < destination.BytesPerRow(); ++x) {
            const std::uint8_t old = before[std::size_t(y * destination.BytesPerRow() + x)];
            if (changed.count(x) != 0)
                EXPECT_EQ(destination.At(y, x), table[source.At(y, x)])
                    << "row " << y << " byte " << x;
            else
                EXPECT_EQ(destination.At(y, x), old) << "row " << y << " byte " << x;
        }
}

struct StrideCase {
    std::int32_t width;
    std::int16_t index;
    // The byte columns rewritten, fill bytes at the row end included.
    std::set<std::int32_t> changed;
};

TEST(LogoRemap, EachChannelRewritesItsOwnBytesToTheRowEnd)
{
    const std::vector<StrideCase> cases = {
        // 6 pixel bytes in 8: green's stride ends on the last fill byte.
        {2, 1, {1, 4, 7}},
        {2, 0, {2, 5}},
        // 9 pixel bytes in 12: both strides reach a fill byte.
        {3, 0, {2, 5, 8, 11}},
        {3, 1, {1, 4, 7, 10}},
        // 15 pixel bytes in 16: neither does.
        {5, 0, {2, 5, 8, 11, 14}},
        {5, 1, {1, 4, 7, 10, 13}},
    };
    for (const StrideCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << ", index " << c.index);
        GuardedPicture source(c.width, 3, 24, 11);
        GuardedPicture destination(c.width, 3, 24, 200);
        const auto before = destination.Bytes();
        const Table table = Inverted();

        EXPECT_EQ(logo::ApplyChannelGain(c.index, table, destination.View(), source.View()),
                  logo::RemapResult::Done);
        ExpectChangedColumns(destination, before, source, table, c.changed, 3);
        EXPECT_TRUE(destination.GuardsIntact());
        EXPECT_TRUE(source.GuardsIntact());
    }
}

TEST(LogoRemap, OnTheLogoRedAndGreenEachTakeEveryThirdByteAndBlueNone)
{
    platform::Bitmap source(180, 80, 24, platform::Bitmap::RowOrder::BottomUp);
    for (std::size_t i = 0; i < source.SizeInBytes(); ++i)
        source.Bits()[i] = static_cast<std::uint8_t>(i * 13);
    const platform::Bitmap original = source;
    const Table table = Plus(1);

    for (std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
        SCOPED_TRACE(testing::Message() << "index " << index);
        platform::Bitmap destination = source;
        EXPECT_EQ(
            logo::ApplyChannelGain(index, table, logo::ViewOf(&destination), logo::ViewOf(&source)),
            logo::RemapResult::Done);
        const std::size_t channelByte = index == 0 ? 2 : 1;
        std::size_t changed = 0;
        for (std::size_t i = 0; i < destination.SizeInBytes(); ++i) {
            const std::uint8_t expected =
                i % 3 == channelByte ? table[source.Bits()[i]] : source.Bits()[i];
            ASSERT_EQ(destination.Bits()[i], expected) << "byte " << i;
            changed += destination.Bits()[i] != source.Bits()[i] ? 1u : 0u;
        }
        EXPECT_EQ(changed, 180u * 80u);
    }
    EXPECT_TRUE(std::equal(source.Bits(), source.Bits() + source.SizeInBytes(), original.Bits()));
}

TEST(LogoRemap, ViewBorrowsThePictureMemory)
{
    platform::Bitmap picture(7, 3, 24, platform::Bitmap::RowOrder::BottomUp);
    const logo::PixelView view = logo::ViewOf(&picture);
    EXPECT_EQ(view.bitsPerPixel, 24);
    EXPECT_EQ(view.bytesPerRow, 24);
    EXPECT_EQ(view.rows, 3);
    EXPECT_EQ(view.bits, picture.Bits());

    // Storage row 0 of a bottom-up picture is its bottom row.
    view.bits[2] = 99;
    EXPECT_EQ(platform::RedOf(picture.PixelAt(0, 2)), 99);
}

TEST(LogoRemap, OnlyA24BitDestinationIsRemapped)
{
    platform::Bitmap deep(4, 3, 32);
    platform::Bitmap empty;
    platform::Bitmap noRows(5, 0, 24);
    GuardedPicture source(4, 3, 24, 3);

    for (platform::Bitmap* picture :
         {&deep, &empty, &noRows, static_cast<platform::Bitmap*>(nullptr)}) {
        const std::vector<std::uint8_t> before =
            picture ? std::vector<std::uint8_t>(picture->Bits(),
                                                picture->Bits() + picture->SizeInBytes())
                    : std::vector<std::uint8_t>{};
        for (std::int16_t index : {std::int16_t{0}, std::int16_t{1}}) {
            EXPECT_EQ(
                logo::ApplyChannelGain(index, Inverted(), logo::ViewOf(picture), source.View()),
                logo::RemapResult::Not24Bit);
        }
        if (picture) {
            EXPECT_TRUE(std::equal(before.begin(), before.end(), picture->Bits()));
        }
    }
    EXPECT_EQ(logo::ViewOf(nullptr).bits, nullptr);
    EXPECT_EQ(logo::ViewOf(&empty).bytesPerRow, 0);
    EXPECT_EQ(logo::ViewOf(&noRows).bitsPerPixel, 0);
}

TEST(LogoRemap, TheSourceDepthIsNotLookedAt)
{
    GuardedPicture destination(4, 2, 24, 50);
    GuardedPicture source(4, 2, 24, 9);
    const auto before = destination.Bytes();
    logo::PixelView sourceView = source.View();
    sourceView.bitsPerPixel = 32;

    EXPECT_EQ(logo::ApplyChannelGain(0, Inverted(), destination.View(), sourceView),
              logo::RemapResult::Done);
    ExpectChangedColumns(destination, before, source, Inverted(), {2, 5, 8, 11}, 2);
}

TEST(LogoRemap, ChangesAreWorkedFromTheSourceAndDoNotCompound)
{
    GuardedPicture source(6, 4, 24, 17);
    const auto original = source.Bytes();

    GuardedPicture twice(6, 4, 24, 17);
    logo::ApplyChannelGain(0, Plus(40), twice.View(), source.View());
    logo::ApplyChannelGain(0, Plus(3), twice.View(), source.View());
    GuardedPicture once(6, 4, 24, 17);
    logo::ApplyChannelGain(0, Plus(3), once.View(), source.View());
    EXPECT_EQ(twice.Bytes(), once.Bytes());
    EXPECT_EQ(source.Bytes(), original);

    // Red then green: each channel keeps its own table's bytes.
    GuardedPicture both(6, 4, 24, 17);
    logo::ApplyChannelGain(0, Plus(40), both.View(), source.View());
    logo::ApplyChannelGain(1, Inverted(), both.View(), source.View());
    for (std::int32_t y = 0; y < 4; ++y)
        for (std::int32_t x = 0; x < 18; ++x) {
            const std::uint8_t s = source.At(y, x);
            const std::uint8_t expected = x % 3 == 2 ? Plus(40)[s] : x % 3 == 1 ? Inverted()[s] : s;
            EXPECT_EQ(both.At(y, x), expected) << "row " << y << " byte " << x;
        }
    EXPECT_EQ(source.Bytes(), original);
}

struct ShortSourceCase {
    const char* name;
    std::int32_t sourceWidth;
    std::int32_t sourceRows;
    std::int16_t index;
    // What is written before the source runs out: whole columns, then the rows
    // of the column where it ran out.
    std::set<std::int32_t> wholeColumns;
    std::int32_t failingColumn;
    std::int32_t rowsOfFailingColumn;
};

TEST(LogoRemap, ASmallerSourceRaisesSubscriptOutOfRangeWhereItRunsOut)
{
    // The destination: 3 pixels (12 bytes a row), 3 rows.
    const std::vector<ShortSourceCase> cases = {
        {"fewer rows, red", 3, 2, 0, {}, 2, 2},
        {"fewer rows, green", 3, 1, 1, {}, 1, 1},
        // 2 pixels: 8 bytes a row.
        {"narrower, red", 2, 3, 0, {2, 5}, 8, 0},
        {"narrower, green", 2, 3, 1, {1, 4, 7}, 10, 0},
        {"narrower and fewer rows", 2, 2, 1, {}, 1, 2},
    };
    for (const ShortSourceCase& c : cases) {
        SCOPED_TRACE(c.name);
        GuardedPicture destination(3, 3, 24, 100);
        GuardedPicture source(c.sourceWidth, c.sourceRows, 24, 1);
        const auto before = destination.Bytes();
        const auto sourceBefore = source.Bytes();
        const Table table = Inverted();

        try {
            logo::ApplyChannelGain(c.index, table, destination.View(), source.View());
            ADD_FAILURE() << "no error raised";
        } catch (const platform::RunTimeError& e) {
            EXPECT_EQ(e.ErrorNumber(), platform::RunTimeError::SubscriptOutOfRange);
            EXPECT_STREQ(e.what(), "Subscript out of range");
        }
        for (std::int32_t y = 0; y < 3; ++y)
            for (std::int32_t x = 0; x < destination.BytesPerRow(); ++x) {
                const bool written = c.wholeColumns.count(x) != 0 ||
                                     (x == c.failingColumn && y < c.rowsOfFailingColumn);
                const std::uint8_t old = before[std::size_t(y * destination.BytesPerRow() + x)];
                EXPECT_EQ(destination.At(y, x), written ? table[source.At(y, x)] : old)
                    << "row " << y << " byte " << x;
            }
        EXPECT_TRUE(destination.GuardsIntact());
        EXPECT_TRUE(source.GuardsIntact());
        EXPECT_EQ(source.Bytes(), sourceBefore);
    }
}

} // namespace
