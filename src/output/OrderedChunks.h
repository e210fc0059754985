// Text made in numbered chunks on worker threads and taken up in order: how
// a long section of a file is formatted on several cores and still written
// front to back.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace orvik {

// Makes chunks 0..count-1 with `make` on `workers` threads and hands each to
// `take` on the calling thread, in order, as soon as it and every chunk
// before it are made. make(k, text) puts chunk k into `text`, a string that
// may still hold an earlier chunk, so that its memory is used again. At most
// 2 x workers chunks are made ahead of the one being taken, so memory stays
// bounded whatever `count` is. When no thread can be started, the calling
// thread makes the chunks itself. When `make` or `take` throws, no further
// chunk is started, the workers are joined, and the first exception is
// rethrown.
void MakeChunksInOrder(std::size_t count, int workers, const std::function<void(std::size_t, std::string&)>& make,
                       const std::function<void(std::size_t, const std::string&)>& take);

}  // namespace orvik
