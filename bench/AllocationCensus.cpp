// A census of a program's large heap blocks, loaded with LD_PRELOAD: which
// blocks of at least kLargeBytes are live at a given moment, how many were
// ever made, and the most such bytes that were live at once. It tells whether
// a picture is held once or copied, which resident-memory figures alone
// cannot tell apart from the toolkit's own memory.
//
//   RB_ALLOCATION_CENSUS=/tmp/census.txt LD_PRELOAD=liballocation_census.so program
//   kill -USR1 <pid>     writes the census to the file, replacing it
//
// Small blocks pass straight through; large ones are rare, so a lock and a
// fixed table are cheap enough.
#include <malloc.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* block);
}

namespace
{

// Smaller than the smallest frame picture (640 x 480 x 3 bytes) by far, larger
// than any ordinary buffer of the toolkit.
constexpr std::size_t kLargeBytes = 256 * 1024;
constexpr std::size_t kSlots = 1024;

struct Slot {
    void* block;
    std::size_t bytes;
};

Slot gSlots[kSlots];
std::size_t gLiveBytes = 0;
std::size_t gPeakLiveBytes = 0;
std::size_t gMade = 0;
std::size_t gUntracked = 0;
std::atomic_flag gLock = ATOMIC_FLAG_INIT;
char gReportPath[512];

class Guard
{
public:
    Guard()
    {
        while (gLock.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~Guard() { gLock.clear(std::memory_order_release); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
};

void Track(void* block, std::size_t bytes)
{
    if (!block || bytes < kLargeBytes)
        return;
    const Guard guard;
    ++gMade;
    for (Slot& slot : gSlots) {
        if (!slot.block) {
            slot = {block, bytes};
            gLiveBytes += bytes;
            if (gLiveBytes > gPeakLiveBytes)
                gPeakLiveBytes = gLiveBytes;
            return;
        }
    }
    ++gUntracked;
}

void Forget(void* block)
{
    // Only a block that is large can be in the table; asking the heap is
    // cheaper than searching it on every free.
    if (!block || malloc_usable_size(block) < kLargeBytes)
        return;
    const Guard guard;
    for (Slot& slot : gSlots) {
        if (slot.block == block) {
            gLiveBytes -= slot.bytes;
            slot = {nullptr, 0};
            return;
        }
    }
}

// What follows runs in a signal handler: no heap, no stdio, only write().
void Append(char*& at, const char* text)
{
    while (*text)
        *at++ = *text++;
}

void AppendNumber(char*& at, std::size_t n)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    while (count > 0)
        *at++ = digits[--count];
}

void WriteCensus(int)
{
    const int saved = errno;
    const int fd = open(gReportPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) {
        // Read without the lock: the interrupted thread may hold it. The
        // program is idle when asked, so the table is still.
        static char text[kSlots * 32 + 256];
        char* at = text;
        for (const Slot& slot : gSlots) {
            if (slot.block) {
                Append(at, "live ");
                AppendNumber(at, slot.bytes);
                Append(at, "\n");
            }
        }
        Append(at, "made ");
        AppendNumber(at, gMade);
        Append(at, "\npeak_live_bytes ");
        AppendNumber(at, gPeakLiveBytes);
        Append(at, "\nuntracked ");
        AppendNumber(at, gUntracked);
        Append(at, "\nend\n");
        const char* from = text;
        while (from < at) {
            const ssize_t written = write(fd, from, std::size_t(at - from));
            if (written <= 0)
                break;
            from += written;
        }
        close(fd);
    }
    errno = saved;
}

[[gnu::constructor]] void InstallCensus()
{
    const char* path = std::getenv("RB_ALLOCATION_CENSUS");
    if (!path || std::strlen(path) >= sizeof gReportPath)
        return;
    std::strcpy(gReportPath, path);
    struct sigaction action = {};
    action.sa_handler = WriteCensus;
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
}

} // namespace

extern "C" {

void* malloc(std::size_t size)
{
    void* block = __libc_malloc(size);
    Track(block, size);
    return block;
}

void* calloc(std::size_t count, std::size_t size)
{
    void* block = __libc_calloc(count, size);
    if (size != 0 && count <= SIZE_MAX / size)
        Track(block, count * size);
    return block;
}

void* realloc(void* block, std::size_t size)
{
    Forget(block);
    void* moved = __libc_realloc(block, size);
    if (!moved && size != 0 && block) {
        // The old block stays; count it again.
        Track(block, malloc_usable_size(block));
        return moved;
    }
    Track(moved, size);
    return moved;
}

void free(void* block)
{
    Forget(block);
    __libc_free(block);
}

void* memalign(std::size_t alignment, std::size_t size)
{
    void* block = __libc_memalign(alignment, size);
    Track(block, size);
    return block;
}

void* aligned_alloc(std::size_t alignment, std::size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void** out, std::size_t alignment, std::size_t size)
{
    void* block = __libc_memalign(alignment, size);
    if (!block)
        return ENOMEM;
    Track(block, size);
    *out = block;
    return 0;
}

} // extern "C"
