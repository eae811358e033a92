// Work on several threads handed back in order: the taker gets every item's
// own result, in submission order, whatever order the workers finish in;
// no worker runs more than the window ahead of what the taker released; a
// stop ends every worker; an error raised by the work reaches the taker.

#include "foundation/OrderedWorkers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

using Workers = OrderedWorkers<int, std::string>;

// `count` work functions that all run `body`.
std::vector<Workers::Work> Same(int count, const Workers::Work& body) {
    return std::vector<Workers::Work>(size_t(count), body);
}

// Waits for item `index` as a taker with a short wait between polls does.
std::string* TakeWhenDone(Workers& workers, int64_t index) {
    for (;;)
        if (std::string* result = workers.take(index, 10)) return result;
}

TEST(OrderedWorkersTest, ResultsComeInSubmissionOrderWhateverOrderTheWorkersFinishIn) {
    struct Case {
        int workers, window;
    };
    for (const Case c : {Case{1, 1}, Case{4, 1}, Case{4, 3}, Case{8, 64}, Case{3, 1000}}) {
        SCOPED_TRACE(testing::Message() << c.workers << " workers, window " << c.window);
        constexpr int kItems = 600;
        std::vector<std::atomic<int>> runs(kItems);
        std::vector<Workers::Work> work;
        for (int w = 0; w < c.workers; ++w)
            work.push_back([&runs, rng = std::make_shared<std::mt19937>(w)](const int& item, std::string& out) {
                // Random delays make later items finish before earlier ones.
                std::this_thread::sleep_for(std::chrono::microseconds((*rng)() % 300));
                ++runs[size_t(item)];
                out = std::to_string(item * 7);
            });
        Workers workers(std::move(work), c.window, "test worker");
        // Items come in pieces while the workers already work.
        int submitted = 0;
        for (int index = 0; index < kItems; ++index) {
            while (submitted < kItems && submitted < index + 50) {
                const int piece[] = {submitted, submitted + 1};
                ASSERT_TRUE(workers.submit(piece, 2));
                submitted += 2;
            }
            if (submitted == kItems) workers.finish();
            ASSERT_EQ(*TakeWhenDone(workers, index), std::to_string(index * 7));
            workers.release(index);
        }
        workers.stop();
        for (int i = 0; i < kItems; ++i) ASSERT_EQ(runs[size_t(i)].load(), 1) << "item " << i;
    }
}

TEST(OrderedWorkersTest, WorkersStayWithinTheWindowOfTheLastReleasedItem) {
    constexpr int kWindow = 3;
    std::atomic<int> highest{-1};
    Workers workers(Same(4,
                         [&](const int& item, std::string& out) {
                             int seen = highest.load();
                             while (item > seen && !highest.compare_exchange_weak(seen, item)) {
                             }
                             out = std::to_string(item);
                         }),
                    kWindow, "test worker");
    std::vector<int> items(20);
    for (int i = 0; i < 20; ++i) items[size_t(i)] = i;
    ASSERT_TRUE(workers.submit(items.data(), items.size()));
    workers.finish();
    // Nothing released: the first window's items are done, the next is not
    // even begun.
    for (int i = 0; i < kWindow; ++i) EXPECT_EQ(*TakeWhenDone(workers, i), std::to_string(i));
    EXPECT_EQ(workers.take(kWindow, 50), nullptr);
    EXPECT_EQ(highest.load(), kWindow - 1);
    // Each release lets exactly one more item in.
    workers.release(0);
    EXPECT_EQ(*TakeWhenDone(workers, kWindow), std::to_string(kWindow));
    EXPECT_EQ(workers.take(kWindow + 1, 50), nullptr);
    EXPECT_EQ(highest.load(), kWindow);
}

TEST(OrderedWorkersTest, StopEndsWorkersWhereverTheyWaitAndDropsWhatIsNotTaken) {
    // Workers waiting for room, for items not yet submitted, and in the
    // middle of an item: stop returns in each case, and no work runs after.
    struct Case {
        const char* name;
        int submitted;
        bool finished;
        int window;
    };
    for (const Case c : {Case{"waiting for room", 40, true, 2}, Case{"waiting for items", 3, false, 16},
                         Case{"working", 40, true, 40}}) {
        SCOPED_TRACE(c.name);
        std::atomic<int> started{0}, inWork{0};
        {
            Workers workers(Same(4,
                                 [&](const int& item, std::string& out) {
                                     ++started;
                                     ++inWork;
                                     std::this_thread::sleep_for(std::chrono::milliseconds(2));
                                     out = std::to_string(item);
                                     --inWork;
                                 }),
                            c.window, "test worker");
            std::vector<int> items(size_t(c.submitted), 1);
            ASSERT_TRUE(workers.submit(items.data(), items.size()));
            if (c.finished) workers.finish();
            EXPECT_EQ(*TakeWhenDone(workers, 0), "1");
            workers.release(0);
            workers.stop();
            EXPECT_EQ(inWork.load(), 0);
            EXPECT_LE(started.load(), c.submitted);
        }
        // Destroying without a stop joins the workers too.
        {
            Workers workers(Same(4,
                                 [&](const int&, std::string&) {
                                     ++inWork;
                                     std::this_thread::sleep_for(std::chrono::milliseconds(2));
                                     --inWork;
                                 }),
                            c.window, "test worker");
            std::vector<int> items(size_t(c.submitted), 1);
            ASSERT_TRUE(workers.submit(items.data(), items.size()));
        }
        EXPECT_EQ(inWork.load(), 0);
    }
}

TEST(OrderedWorkersTest, AnErrorRaisedByTheWorkReachesTheTakerAtItsItem) {
    Workers workers(Same(3,
                         [](const int& item, std::string& out) {
                             if (item == 2 || item == 5)
                                 throw std::runtime_error("item " + std::to_string(item) + " failed");
                             out = std::to_string(item);
                         }),
                    4, "test worker");
    std::vector<int> items{0, 1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(workers.submit(items.data(), items.size()));
    workers.finish();
    for (int i = 0; i < int(items.size()); ++i) {
        if (i == 2 || i == 5) {
            try {
                TakeWhenDone(workers, i);
                ADD_FAILURE() << "item " << i << " gave a result";
            } catch (const std::runtime_error& e) {
                EXPECT_EQ(std::string(e.what()), "item " + std::to_string(i) + " failed");
            }
        } else {
            // A failed item leaves the ones after it (and their slots) whole.
            EXPECT_EQ(*TakeWhenDone(workers, i), std::to_string(i));
        }
        workers.release(i);
    }
}

TEST(OrderedWorkersTest, SubmittingPastTheCapacityAddsNothing) {
    Workers workers(Same(1, [](const int&, std::string&) {}), 1, "test worker");
    const int one = 1;
    for (int64_t i = 0; i < 3; ++i) ASSERT_TRUE(workers.submit(&one, 1));
    std::vector<int> tooMany(size_t(Workers::kCapacity - 2), 0);
    EXPECT_FALSE(workers.submit(tooMany.data(), tooMany.size()));
    EXPECT_EQ(workers.size(), 3);
}

}  // namespace
