// A program for the recording tests: two threads, "ping" and "pong", hand a turn to each other
// through a condition variable a given number of times, each working a little on its turn. So a
// recording of it holds known wake-ups: about one per turn, from the thread that finished its
// turn to the one that waited for it.
//
//   perf_hand_off ROUNDS [WORK_MICROSECONDS]
#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

class HandOff {
public:
    HandOff(int rounds, std::chrono::microseconds work)
        : m_rounds(rounds)
        , m_work(work)
    {
    }

    // Takes `side`'s turns: waits for the other side, works, hands the turn over.
    void play(int side)
    {
        for (int round = 0; round < m_rounds; ++round) {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_turn == side; });
            lock.unlock();
            work();
            lock.lock();
            m_turn = 1 - side;
            m_changed.notify_one();
        }
    }

private:
    void work() const
    {
        const auto end = std::chrono::steady_clock::now() + m_work;
        volatile unsigned long sum = 0;
        while (std::chrono::steady_clock::now() < end)
            for (int i = 0; i < 1000; ++i)
                sum = sum + static_cast<unsigned long>(i) * 31u;
    }

    const int m_rounds;
    const std::chrono::microseconds m_work;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_turn = 0;
};

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    const int work = argc > 2 ? std::atoi(argv[2]) : 200;
    HandOff handOff(rounds, std::chrono::microseconds(work));
    std::thread ping([&] {
        pthread_setname_np(pthread_self(), "ping");
        handOff.play(0);
    });
    std::thread pong([&] {
        pthread_setname_np(pthread_self(), "pong");
        handOff.play(1);
    });
    ping.join();
    pong.join();
    return 0;
}
