#pragma once
// Work done on several threads and handed back in order.  N workers, each
// with a work function of its own (and so state of its own), take the items
// in the order they were submitted; one taker takes the results back
// strictly by index, at its own pace, as if it had done the work itself.
//
// - Items are submitted in order by one thread (submit(), then finish()
//   when no more come), while the workers already work on the first ones.
// - Results are taken in order by one thread: take(i) gives item i's result
//   once it is done, or null when it is not done within the wait (the taker
//   may yield and ask again); release(i) says the taker is done with it.
// - Look-ahead is bounded: a worker starts item i only once item
//   i - window is released, so at most `window` results are held.
// - An exception a work function raises is carried to the taker: take(i)
//   raises it again on the taker's thread (the item's place stays held
//   until it is released, like any other).
// - stop() (and the destructor) lets each worker finish the item in hand,
//   drops the results not taken and joins the threads; nothing is done
//   after it returns.
// A result has no effect of its own: a taker that stops early simply drops
// what it did not take.  Sleeping is done on futex words, and each side
// wakes the other only when it sleeps, so a run whose results are at hand
// makes no wake-up calls.

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace ordered_workers {
// Sleeps while `word` holds `value`, at most `timeoutMs` (none when < 0).
void Wait(std::atomic<uint32_t>& word, uint32_t value, int timeoutMs);
// Wakes up to `count` sleepers on `word`.
void Wake(std::atomic<uint32_t>& word, int count);
// Names the calling thread (as shown by debuggers and top).
void NameThread(const char* name);
}  // namespace ordered_workers

template <typename Item, typename Result>
class OrderedWorkers {
public:
    // Fills `result` (a fresh Result) from `item`; may raise.
    using Work = std::function<void(const Item&, Result&)>;
    // Items submitted at most, in all.
    static constexpr int64_t kCapacity = int64_t(1) << 24;

    // Starts one thread named `threadName` per work function, at most
    // `window` items ahead of the last released.
    OrderedWorkers(std::vector<Work> workers, int window, const char* threadName)
        : m_work(std::move(workers)),
          m_blocks(std::make_unique<std::unique_ptr<Item[]>[]>(size_t(kCapacity / kChunk))),
          m_window(std::max(window, 1)),
          m_wakeStep(std::max<int64_t>(1, m_window / 2)),
          m_slots(std::make_unique<Slot[]>(size_t(m_window))) {
        try {
            m_threads.reserve(m_work.size());
            for (const Work& work : m_work)
                m_threads.emplace_back([this, &work, threadName] {
                    ordered_workers::NameThread(threadName);
                    run(work);
                });
        } catch (...) {
            stop();
            throw;
        }
    }
    ~OrderedWorkers() { stop(); }
    OrderedWorkers(const OrderedWorkers&) = delete;
    OrderedWorkers& operator=(const OrderedWorkers&) = delete;

    // Adds `count` items from `first` on, in order (copied, or moved from
    // a move iterator); false when they do not fit (more than kCapacity in
    // all), and then none is added.
    template <typename It>
    bool submit(It first, size_t count) {
        const int64_t have = m_available.load();
        if (have + int64_t(count) > kCapacity) return false;
        for (size_t i = 0; i < count; ++i, ++first) {
            const int64_t at = have + int64_t(i);
            auto& block = m_blocks[size_t(at / kChunk)];
            if (!block) block = std::make_unique<Item[]>(size_t(kChunk));
            block[size_t(at % kChunk)] = *first;
        }
        m_available.store(have + int64_t(count));
        if (m_feedWaiters.load() > 0) wakeAll(m_feedSeq);
        return true;
    }
    // No more items come.
    void finish() {
        m_complete = true;
        wakeAll(m_feedSeq);
    }
    // The items submitted so far, and one of them.
    int64_t size() const { return m_available.load(); }
    const Item& item(int64_t index) const { return m_blocks[size_t(index / kChunk)][size_t(index % kChunk)]; }

    // Item `index`'s result once it is done, or null when it is not done
    // within `waitMs` milliseconds; raises what its work function raised.
    // Items are taken in order, each once.
    Result* take(int64_t index, int waitMs) {
        Slot& slot = m_slots[size_t(index % m_window)];
        // Work from the page cache is done in a few microseconds: waiting
        // that long costs less than going to sleep and being woken.
        for (int spin = 0; spin < kSpins; ++spin) {
            if (slot.index.load(std::memory_order_acquire) == index) return handOver(slot);
            pause();
        }
        m_awaited.store(index);
        const uint32_t seq = m_readySeq.load();
        if (slot.index.load() != index) ordered_workers::Wait(m_readySeq, seq, std::max(waitMs, 0));
        m_awaited.store(-1);
        return slot.index.load() == index ? handOver(slot) : nullptr;
    }
    // Done with item `index`: its place is free for an item further on.
    void release(int64_t index) {
        m_released.store(index + 1);
        // Waiting workers are woken in steps, not for every item.
        if ((index + 1) % m_wakeStep == 0 && m_roomWaiters.load() > 0) wakeAll(m_roomSeq);
    }

    // Stops the workers once their items in hand are done and joins them.
    void stop() {
        m_stopping = true;
        wakeAll(m_roomSeq);
        wakeAll(m_feedSeq);
        for (std::thread& t : m_threads)
            if (t.joinable()) t.join();
        m_threads.clear();
    }

private:
    struct Slot {
        std::atomic<int64_t> index{-1};  // the item whose result the slot holds
        Result result;
        std::exception_ptr error;
    };
    static constexpr int64_t kChunk = 4096;  // items per block of the list
    static constexpr int kSpins = 2000;      // checks of a slot before the taker sleeps

    static void pause() {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }
    static void wakeAll(std::atomic<uint32_t>& seq) {
        seq.fetch_add(1);
        ordered_workers::Wake(seq, INT_MAX);
    }
    static void sleep(std::atomic<uint32_t>& seq, std::atomic<int>& waiters, const auto& ready) {
        waiters.fetch_add(1);
        const uint32_t value = seq.load();
        if (!ready()) ordered_workers::Wait(seq, value, -1);
        waiters.fetch_sub(1);
    }
    Result* handOver(Slot& slot) {
        if (slot.error) std::rethrow_exception(slot.error);
        return &slot.result;
    }

    void run(const Work& work) {
        for (;;) {
            const int64_t index = m_next.fetch_add(1);
            // The item must be submitted (more may still come) ...
            auto listed = [&] { return m_stopping || index < m_available.load() || m_complete.load(); };
            while (!listed()) sleep(m_feedSeq, m_feedWaiters, listed);
            if (m_stopping || index >= m_available.load()) return;
            // ... and the slot's previous item released.
            auto room = [&] { return m_stopping || index < m_released.load() + m_window; };
            while (!room()) sleep(m_roomSeq, m_roomWaiters, room);
            if (m_stopping) return;
            // The slot is this worker's alone until the result is handed over.
            Slot& slot = m_slots[size_t(index % m_window)];
            slot.result = Result();
            slot.error = nullptr;
            try {
                work(item(index), slot.result);
            } catch (...) {
                slot.error = std::current_exception();
            }
            slot.index.store(index);
            if (m_awaited.load() == index) {
                m_readySeq.fetch_add(1);
                ordered_workers::Wake(m_readySeq, 1);
            }
        }
    }

    const std::vector<Work> m_work;
    // The items: blocks that never move, so workers read them while more
    // are added.
    std::unique_ptr<std::unique_ptr<Item[]>[]> m_blocks;
    std::atomic<int64_t> m_available{0};
    std::atomic<bool> m_complete{false};
    const int64_t m_window;
    const int64_t m_wakeStep;  // workers waiting for room are woken every so many items
    std::unique_ptr<Slot[]> m_slots;
    std::atomic<int64_t> m_next{0};      // the next item a worker takes
    std::atomic<int64_t> m_released{0};  // items the taker is done with
    std::atomic<bool> m_stopping{false};
    // The taker sleeps on m_readySeq while it waits for item m_awaited;
    // workers sleep on m_roomSeq while they wait for room and on m_feedSeq
    // while they wait for items.
    std::atomic<int64_t> m_awaited{-1};
    std::atomic<uint32_t> m_readySeq{0};
    std::atomic<uint32_t> m_roomSeq{0};
    std::atomic<int> m_roomWaiters{0};
    std::atomic<uint32_t> m_feedSeq{0};
    std::atomic<int> m_feedWaiters{0};
    std::vector<std::thread> m_threads;  // last: they start once the rest is ready
};
