#pragma once

// Computes the items of a sequence on several threads, each with a worker of its own, and hands
// the results on in the order of the items.

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace astrodesk::cli {

// Takes the items from `next` (on the calling thread) in blocks of `blockSize`; the threads share
// a block through an atomic index, thread w computing with workers[w], so that `compute` needs
// nothing but its worker and its item and must not throw. While the threads compute a block, the
// calling thread hands the results of the block before to `deliver`, in order, and reads the next
// block: memory stays bounded by three blocks, however long the input.
template <typename Worker, typename Item, typename Result>
void ComputeInOrder(std::vector<Worker>& workers, std::size_t blockSize,
                    const std::function<std::optional<Item>()>& next,
                    const std::function<Result(Worker&, const Item&)>& compute,
                    const std::function<void(Result&)>& deliver) {
    const auto readBlock = [&] {
        std::vector<Item> block;
        while (block.size() < blockSize)
            if (std::optional<Item> item = next())
                block.push_back(std::move(*item));
            else
                break;
        return block;
    };
    std::vector<Item> items = readBlock();
    std::vector<Result> done;
    while (!items.empty()) {
        std::vector<Result> results(items.size());
        std::vector<Item> following;
        {
            std::atomic<std::size_t> taken{0};
            std::vector<std::jthread> threads;
            for (Worker& worker : workers)
                threads.emplace_back([&, worker = &worker] {
                    for (std::size_t i = taken++; i < items.size(); i = taken++)
                        results[i] = compute(*worker, items[i]);
                });
            for (Result& result : done)
                deliver(result);
            following = readBlock();
        } // the threads join here
        done = std::move(results);
        items = std::move(following);
    }
    for (Result& result : done)
        deliver(result);
}

} // namespace astrodesk::cli
