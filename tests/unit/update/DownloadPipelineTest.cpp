#include "update/DownloadPipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kestrova {
namespace {

// Pushes `pieces` pieces of `size` bytes, each filled with its number, through a pipeline.
void Feed(DownloadPipeline& pipeline, int pieces, std::size_t size)
{
    for (int i = 0; i < pieces; ++i) {
        char* buffer = pipeline.Acquire();
        std::fill(buffer, buffer + size, static_cast<char>('a' + i % 26));
        pipeline.Submit(size);
    }
}

TEST(DownloadPipelineTest, ConsumesEveryPieceInOrderAndReportsRunningTotals)
{
    // More pieces than buffers, so that buffers come back round the ring.
    const int pieces = static_cast<int>(DownloadPipeline::kBufferCount) * 3 + 1;
    std::string consumed;
    std::int64_t lastTotal = 0;
    bool totalsRise = true;
    DownloadPipeline pipeline([&](const char* bytes, std::size_t size) { consumed.append(bytes, size); },
                              [&](std::int64_t total) {
                                  totalsRise = totalsRise && total > lastTotal;
                                  lastTotal = total;
                              });
    Feed(pipeline, pieces, 3);
    pipeline.Finish();
    std::string expected;
    for (int i = 0; i < pieces; ++i)
        expected.append(3, static_cast<char>('a' + i % 26));
    EXPECT_EQ(consumed, expected);
    EXPECT_EQ(lastTotal, pieces * 3);
    EXPECT_TRUE(totalsRise);
}

TEST(DownloadPipelineTest, AFailureOfTheConsumerReachesTheReader)
{
    int calls = 0;
    DownloadPipeline pipeline(
        [&](const char*, std::size_t) {
            if (++calls == 2)
                throw std::runtime_error("disk full");
        },
        [](std::int64_t) {});
    // The reader sees the failure at its next hand-over or at the end, never later.
    EXPECT_THROW(
        {
            Feed(pipeline, static_cast<int>(DownloadPipeline::kBufferCount) * 2, 1);
            pipeline.Finish();
        },
        std::runtime_error);
    EXPECT_EQ(calls, 2);
}

TEST(DownloadPipelineTest, AbandoningWithPiecesQueuedStopsTheWorker)
{
    int calls = 0;
    {
        DownloadPipeline pipeline([&](const char*, std::size_t) { ++calls; }, [](std::int64_t) {});
        Feed(pipeline, static_cast<int>(DownloadPipeline::kBufferCount), 1);
    }
    EXPECT_LE(calls, static_cast<int>(DownloadPipeline::kBufferCount));
}

}  // namespace
}  // namespace kestrova
