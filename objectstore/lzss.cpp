#include "objectstore/lzss.h"

#include <algorithm>
#include <array>
#include <bit>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <limits>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace brumalis {
namespace {

constexpr int kWindowBits = 12;
constexpr int kWindowSize = 1 << kWindowBits;
constexpr int kWindowMask = kWindowSize - 1;
constexpr int kLengthBits = 4;
constexpr int kBreakEven = 1;                                        // longer matches pay off
constexpr int kLookAhead = (1 << kLengthBits) - 1 + kBreakEven + 1;  // 17, the longest match
constexpr int kEndPosition = 0;                                      // never a match source
constexpr int kStartPosition = 1;
constexpr int kEnds = kWindowSize;  // the key list's head, beyond both ends
constexpr std::int16_t kNone = -1;
constexpr std::size_t kUnknownLength = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kBlockSize = 16384;

constexpr int kLiteralBits = 1 + 8;
constexpr int kMatchBits = 1 + kWindowBits + kLengthBits;
constexpr int kEndBits = 1 + kWindowBits;

// Runs a coder step; an exception from the underlying stream leaves the coder
// in an unknown state, so the stream is marked failed before it propagates.
template <class Step>
auto Guarded(bool& bSuccess, Step step) {
    try {
        return step();
    } catch (...) {
        bSuccess = false;
        throw;
    }
}

// Eight key bytes as a number that orders like the bytes themselves.
std::uint64_t LoadKeyWord(const std::uint8_t* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little) v = __builtin_bswap64(v);
    return v;
}

struct TKeyOrder {
    int nEqual;     // equal leading bytes, kLookAhead when the keys are equal
    bool bLarger;   // key a sorts after key b
};

// Compares the kLookAhead-byte keys at a and b: two words, then the last byte.
TKeyOrder CompareKeys(const std::uint8_t* a, const std::uint8_t* b) {
    static_assert(kLookAhead == 2 * sizeof(std::uint64_t) + 1);
    for (int k = 0; k < 16; k += 8) {
        const std::uint64_t x = LoadKeyWord(a + k);
        const std::uint64_t y = LoadKeyWord(b + k);
        if (x != y) return {k + std::countl_zero(x ^ y) / 8, x > y};
    }
    return {a[16] == b[16] ? kLookAhead : 16, a[16] > b[16]};
}

}  // namespace

// One coder step as the key order saw it: the key that left the window and
// the key that came in, with their neighbours in key order (window
// positions, kNone where no key left or came in).
struct TOrderStep {
    std::int16_t leftBelow = kNone;  // neighbours of the key that left
    std::int16_t leftAbove = kNone;
    std::int16_t below = kNone;      // neighbours of the new key, or in `below`
    std::int16_t above = kNone;      // the equal key it replaced
    std::int8_t nBelow = -1;         // common leading bytes with them, -1 for the
    std::int8_t nAbove = -1;         // list ends; kLookAhead in nBelow: replaced
};

// A run of coder steps, [first, last) by stream position, with the bytes
// they read: the window before the first step and the look-ahead after the
// last. Its key order follows from those bytes alone, so runs can be ordered
// in any sequence, and on another thread.
struct TOrderChunk {
    enum class EState { Queued, Running, Done };

    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t total = kUnknownLength;  // the stream's length once known
    std::size_t textBegin = 0;           // stream position of text[0], the window's first
    std::vector<std::uint8_t> text;
    std::vector<TOrderStep> steps;       // one per stream position
    EState state = EState::Queued;

    std::uint8_t Byte(std::size_t pos) const { return text[pos - textBegin]; }
};

// The classic LZSS encoder keeps the window's positions in a binary search
// tree ordered by their kLookAhead-byte keys: a new key hangs as a leaf, a
// new key replaces a node with an equal key, and a node with children on
// both sides is deleted by moving its predecessor into its place. The match
// is the longest on the search path, the later node on equal lengths.
//
// Give every node an age: a new key gets the next tick, and a node that
// takes another's place takes over its age. Ages then grow downwards, and a
// binary search tree that is heap-ordered by distinct ages is unique (a
// treap): keys and ages define the tree. So:
// - of two neighbours in key order, the younger lies below the older;
// - the search for a new key passes both its neighbours and ends at the
//   younger; the longest match on the way is with one of them, and on equal
//   lengths the one met later, the younger, wins;
// - a node has children on both sides exactly when both its neighbours are
//   younger, and then its predecessor takes its place.
// The coder therefore splits the tree in two. The key order, a list, depends
// on the window's bytes alone; CTLZSSKeyOrder keeps it for a chunk of steps
// and records each step's neighbours. The ages depend on the whole history;
// CTLZSSNodeAges replays them over the recorded steps in stream order and
// settles the equal lengths.
// Position 0 is never a key: a match there would read as the end token.
class CTLZSSKeyOrder {
public:
    // Records the steps of the chunk, whatever this object did before.
    void Run(TOrderChunk& chunk) {
        if (chunk.first == chunk.last) return;
        Reset();
        const std::size_t stored = std::min(chunk.total, chunk.first + kLookAhead - 1);
        for (std::size_t pos = chunk.textBegin; pos < stored; ++pos) StoreByte(Ring(pos), chunk.Byte(pos));
        // The text starts with the window's oldest key, and no key before the
        // first step has left yet.
        TOrderStep scratch;
        for (std::size_t pos = chunk.textBegin; pos < chunk.first; ++pos) InsertNode(Ring(pos), scratch);
        for (std::size_t pos = chunk.first; pos < chunk.last; ++pos) {
            TOrderStep& step = chunk.steps[pos - chunk.first];
            const int leaving = Ring(pos + kLookAhead - 1);
            DeleteNode(leaving, step);
            if (pos + kLookAhead - 1 < chunk.total) StoreByte(leaving, chunk.Byte(pos + kLookAhead - 1));
            InsertNode(Ring(pos), step);
        }
    }

    static int Ring(std::size_t pos) { return static_cast<int>((pos + kStartPosition) & kWindowMask); }

private:
    static constexpr int kNodes = kWindowSize + 1;
    static constexpr int kBuckets = 1 << 16;
    // After a match this long the key after the match position shares its
    // first two bytes with the next key.
    static constexpr int kHintLength = 3;
    static constexpr int kBucketBytes = 2;
    static constexpr int kRecentBits = 14;

    // Four ints, so that it stays in registers.
    struct TPlace {
        int below = kEnds;  // the neighbours of the new key in key order, or
        int above = kEnds;  // the node with the new key in `below`
        int nBelow = -1;    // their common leading bytes with it, -1 if not known
        int nAbove = -1;    // yet; kLookAhead in nBelow for the node with the new key
    };

    struct TStart {
        int node;
        TKeyOrder order;  // of the key to place against the node's key
    };

    void Reset() {
        v_window.fill(0);
        v_live.fill(0);
        v_bucketFirst.fill(0);
        v_nonEmpty.fill(0);
        v_nonEmptyWords.fill(0);
        Prev(kEnds) = Next(kEnds) = kEnds;
        v_hint = 0;
        v_bReplaced = false;
    }

    // The window is followed by a copy of its first kLookAhead - 1 bytes so
    // that keys can be read without wrapping the index.
    void StoreByte(int pos, std::uint8_t c) {
        v_window[pos] = c;
        if (pos < kLookAhead - 1) v_window[pos + kWindowSize] = c;
    }

    // Inserts key r; a key equal to r's gives way to r. Any key of the list
    // is a correct start for placing it, a near one a fast start: the
    // position after the last match when that was long, as it usually sorts
    // right next to the new key, unless the key inserted last with the new
    // key's first three bytes shares more with it; without that position the
    // latter, or else the first key of the new key's two-byte bucket.
    void InsertNode(int r, TOrderStep& step) {
        const int hint = std::exchange(v_hint, 0);
        if (r == kEndPosition) return;
        const int best = v_bReplaced && EqualsAfterReplaced(r, hint) ? TakePlace(hint, r, step) : Search(r, hint, step);
        if (best >= kHintLength) v_hint = (v_matchPos + 1) & kWindowMask;
    }

    void DeleteNode(int p, TOrderStep& step) {
        if (v_live[p] == 0) return;
        const int below = Prev(p);
        const int above = Next(p);
        Next(below) = above;
        Prev(above) = below;
        v_live[p] = 0;
        LeaveBucket(p, above);
        step.leftBelow = static_cast<std::int16_t>(below);
        step.leftAbove = static_cast<std::int16_t>(above);
    }

    int Search(int r, int hint, TOrderStep& step) {
        const std::uint8_t* key = &v_window[r];
        std::int32_t& recent = v_recent[RecentSlot(key)];
        const TPlace at = v_live[hint] != 0 ? Scan(key, NearerThanHint(key, hint, recent)) : PlaceInBucket(r, recent);
        recent = r;
        return at.nBelow == kLookAhead ? TakePlace(at.below, r, step) : Hang(r, at, step);
    }

    // A hint that shares no more than the bucket with key may lie anywhere
    // in it; the recent key then starts the walk if it shares more.
    TStart NearerThanHint(const std::uint8_t* key, int hint, int recent) const {
        const TStart start{hint, CompareKeys(key, &v_window[hint])};
        if (start.order.nEqual > kBucketBytes || v_live[recent] == 0) return start;
        const TStart other{recent, CompareKeys(key, &v_window[recent])};
        return other.order.nEqual > start.order.nEqual ? other : start;
    }

    TPlace PlaceInBucket(int r, int recent) {
        const std::uint8_t* key = &v_window[r];
        const int bucket = Bucket(r);
        const int start = NearbyStart(recent, bucket);
        return start != 0 ? Scan(key, {start, CompareKeys(key, &v_window[start])}) : PlaceInEmptyBucket(bucket);
    }

    // Key r - 1 replaced the equal key at hint - 1, so key r and the key at
    // hint, if that is still in the list, differ in their last bytes at most.
    bool EqualsAfterReplaced(int r, int hint) const {
        return v_live[hint] != 0 && v_window[r + kLookAhead - 1] == v_window[hint + kLookAhead - 1];
    }

    // Steps along the key order from the start node to the place of key.
    // Starting in key's bucket keeps the walk within it.
    TPlace Scan(const std::uint8_t* key, TStart start) {
        TPlace at;
        int n = start.node;
        TKeyOrder order = start.order;
        const bool bUp = order.bLarger;
        int nPassed = -1;  // common bytes with the last node passed
        for (;;) {
            if (order.nEqual == kLookAhead) return {n, kEnds, kLookAhead, -1};
            if (order.bLarger != bUp) break;
            nPassed = order.nEqual;
            n = bUp ? Next(n) : Prev(n);
            if (n == kEnds) break;
            order = CompareKeys(key, &v_window[n]);
        }
        at.below = bUp ? Prev(n) : n;
        at.above = bUp ? n : Next(n);
        at.nBelow = bUp ? nPassed : order.nEqual;
        at.nAbove = bUp ? order.nEqual : nPassed;
        return at;
    }

    // The key inserted last with the first three bytes of key sorts mostly
    // nearer to it than the first key of their bucket. A start within the
    // bucket keeps the walk there, but the slot's key may have left the list,
    // its position may hold another key by now, or other bytes may hash to
    // the slot.
    static int RecentSlot(const std::uint8_t* key) {
        const std::uint32_t prefix = std::uint32_t{key[0]} << 16 | std::uint32_t{key[1]} << 8 | key[2];
        return static_cast<int>(prefix * 2654435761u >> (32 - kRecentBits));
    }

    int NearbyStart(int recent, int bucket) const {
        return v_live[recent] != 0 && Bucket(recent) == bucket ? recent : v_bucketFirst[bucket];
    }

    TPlace PlaceInEmptyBucket(int bucket) {
        TPlace at;
        at.above = FirstKeyAbove(bucket);
        at.below = Prev(at.above);
        return at;
    }

    int Hang(int r, const TPlace& at, TOrderStep& step) {
        Link(at.below, r, at.above);
        v_live[r] = 1;
        EnterBucket(r, at.above);
        const int nBelow = CommonBytes(r, at.below, at.nBelow);
        const int nAbove = CommonBytes(r, at.above, at.nAbove);
        step.below = static_cast<std::int16_t>(at.below);
        step.above = static_cast<std::int16_t>(at.above);
        step.nBelow = static_cast<std::int8_t>(nBelow);
        step.nAbove = static_cast<std::int8_t>(nAbove);
        // Which of equal lengths the encoder takes is left to the ages; the
        // hint needs only a near key.
        v_matchPos = nBelow >= nAbove ? at.below : at.above;
        v_bReplaced = false;
        return std::max(nBelow, nAbove);
    }

    int CommonBytes(int r, int node, int nKnown) const {
        if (node == kEnds) return -1;
        return nKnown >= 0 ? nKnown : CompareKeys(&v_window[r], &v_window[node]).nEqual;
    }

    int TakePlace(int old, int r, TOrderStep& step) {
        Link(Prev(old), r, Next(old));
        v_live[r] = 1;
        v_live[old] = 0;
        std::int32_t& first = v_bucketFirst[Bucket(r)];
        if (first == old) first = r;
        step.below = static_cast<std::int16_t>(old);
        step.nBelow = kLookAhead;
        v_matchPos = old;
        v_bReplaced = true;
        return kLookAhead;
    }

    void Link(int below, int node, int above) {
        Prev(node) = below;
        Next(node) = above;
        Next(below) = node;
        Prev(above) = node;
    }

    int Bucket(int node) const { return v_window[node] << 8 | v_window[node + 1]; }

    void EnterBucket(int r, int above) {
        const int bucket = Bucket(r);
        std::int32_t& first = v_bucketFirst[bucket];
        if (first == 0) MarkBucket(bucket, true);
        if (first == 0 || first == above) first = r;
    }

    void LeaveBucket(int p, int above) {
        const int bucket = Bucket(p);
        std::int32_t& first = v_bucketFirst[bucket];
        if (first != p) return;
        first = above != kEnds && Bucket(above) == bucket ? above : 0;
        if (first == 0) MarkBucket(bucket, false);
    }

    void MarkBucket(int bucket, bool bNonEmpty) {
        const std::uint64_t bit = std::uint64_t{1} << (bucket & 63);
        std::uint64_t& word = v_nonEmpty[bucket >> 6];
        word = bNonEmpty ? word | bit : word & ~bit;
        const std::uint64_t wordBit = std::uint64_t{1} << (bucket >> 6 & 63);
        std::uint64_t& summary = v_nonEmptyWords[bucket >> 12];
        summary = word != 0 ? summary | wordBit : summary & ~wordBit;
    }

    // The first key of the lowest non-empty bucket above `bucket`.
    int FirstKeyAbove(int bucket) const {
        const int b = bucket + 1;
        if (b == kBuckets) return kEnds;
        const std::uint64_t bits = v_nonEmpty[b >> 6] & ~std::uint64_t{0} << (b & 63);
        if (bits != 0) return v_bucketFirst[(b & ~63) | std::countr_zero(bits)];
        for (int w = (b >> 6) + 1; w < kBuckets / 64; w = (w | 63) + 1) {
            const std::uint64_t words = v_nonEmptyWords[w >> 6] & ~std::uint64_t{0} << (w & 63);
            if (words == 0) continue;
            const int word = (w & ~63) | std::countr_zero(words);
            return v_bucketFirst[word << 6 | std::countr_zero(v_nonEmpty[word])];
        }
        return kEnds;
    }

    std::int32_t& Prev(int node) { return v_prev[node]; }
    std::int32_t& Next(int node) { return v_next[node]; }

    std::array<std::uint8_t, kWindowSize + kLookAhead - 1> v_window{};
    std::array<std::int32_t, kNodes> v_prev{};  // the keys in key order
    std::array<std::int32_t, kNodes> v_next{};
    std::array<std::uint8_t, kNodes> v_live{};  // the position holds a key
    // Per first two key bytes: the smallest key starting with them, 0 if none.
    std::array<std::int32_t, kBuckets> v_bucketFirst{};
    std::array<std::uint64_t, kBuckets / 64> v_nonEmpty{};            // a bit per bucket
    std::array<std::uint64_t, kBuckets / 64 / 64> v_nonEmptyWords{};  // a bit per word of v_nonEmpty
    // Per hash of the first three key bytes: the key inserted last with them.
    std::array<std::int32_t, 1 << kRecentBits> v_recent{};
    int v_matchPos = 0;
    int v_hint = 0;  // the position after a long match: likely next to the next key
    bool v_bReplaced = false;  // the last key inserted replaced an equal key
};

struct TMatch {
    int length;  // below 2: none
    int pos;
};

// The tree nodes' ages, replayed over the recorded steps in stream order.
class CTLZSSNodeAges {
public:
    // With children on both sides the key's predecessor takes its place and
    // age; kEnds has age 0, older than every node.
    void Left(int p, const TOrderStep& step) {
        const std::uint64_t age = v_age[p];
        const bool bBothSides = std::min(v_age[step.leftBelow], v_age[step.leftAbove]) > age;
        // Without a branch: it would be mispredicted half the time.
        v_age[step.leftBelow] = bBothSides ? age : v_age[step.leftBelow];
        v_age[p] = 0;
    }

    // The match of the key that came in; call before Entered.
    TMatch Match(const TOrderStep& step) const {
        if (step.below == kNone) return {0, 0};
        if (step.nBelow == kLookAhead) return {kLookAhead, step.below};
        // The longer match wins, and on equal lengths the younger node; the
        // ranks keep out a branch that would be mispredicted half the time.
        const bool bBelowYounger = v_age[step.below] > v_age[step.above];
        const bool bBelow = 2 * step.nBelow + bBelowYounger > 2 * step.nAbove + !bBelowYounger;
        return bBelow ? TMatch{step.nBelow, step.below} : TMatch{step.nAbove, step.above};
    }

    void Entered(int r, const TOrderStep& step) {
        if (step.below == kNone) return;
        v_age[r] = step.nBelow == kLookAhead ? std::exchange(v_age[step.below], 0) : ++v_clock;
    }

private:
    std::array<std::uint64_t, kWindowSize + 1> v_age{};  // 0: not in the tree
    std::uint64_t v_clock = 0;
};

// The encoder. Input is cut into chunks of steps; the key order of a chunk
// is worked out by this thread or a worker, a few chunks ahead, and the
// chunks are then coded in stream order. Writes of any size give the token
// stream the sequential encoder gives.
class CTLZSSCharCompressor {
public:
    explicit CTLZSSCharCompressor(CTStream& out) : v_out(out), v_order(std::make_unique<CTLZSSKeyOrder>()) {}

    ~CTLZSSCharCompressor() {
        {
            const std::lock_guard lock(v_mutex);
            v_bStop = true;
        }
        v_changed.notify_all();
        if (v_worker.joinable()) v_worker.join();
    }

    CTLZSSCharCompressor(const CTLZSSCharCompressor&) = delete;
    CTLZSSCharCompressor& operator=(const CTLZSSCharCompressor&) = delete;

    void Write(const std::uint8_t* p, std::size_t n) {
        while (n > 0) {
            // A chunk's last key reads kLookAhead - 1 bytes past it.
            const std::size_t need = v_chunkFirst + kChunkSteps + kLookAhead - 1 - v_textBase;
            const std::size_t take = std::min(n, need - v_text.size());
            v_text.insert(v_text.end(), p, p + take);
            p += take;
            n -= take;
            if (v_text.size() == need) CutChunk(kUnknownLength);
        }
    }

    void Finish() {
        CutChunk(v_textBase + v_text.size());
        PutBits(kEndPosition, kEndBits);
        if (v_rackBits > 0) AppendByte(static_cast<std::uint8_t>(v_rack << (8 - v_rackBits)));
        FlushOutputBlock();
    }

private:
    static constexpr std::size_t kChunkSteps = std::size_t{1} << 18;
    static constexpr std::size_t kChunksInFlight = 3;  // bounds the memory taken

    // Hands the steps from v_chunkFirst on, up to the end of the text held
    // or to `total`, to the key order, keeping the window the next chunk
    // needs.
    void CutChunk(std::size_t total) {
        auto chunk = std::make_unique<TOrderChunk>();
        const std::size_t end = v_textBase + v_text.size();
        chunk->first = v_chunkFirst;
        chunk->last = total == kUnknownLength ? v_chunkFirst + kChunkSteps : total;
        chunk->total = total;
        chunk->textBegin = std::max(v_textBase, WindowStart(chunk->first, end));
        chunk->text.assign(v_text.begin() + static_cast<std::ptrdiff_t>(chunk->textBegin - v_textBase), v_text.end());
        chunk->steps.resize(chunk->last - chunk->first);
        v_chunkFirst = chunk->last;
        const std::size_t keep = std::max(v_textBase, WindowStart(v_chunkFirst, end));
        v_text.erase(v_text.begin(), v_text.begin() + static_cast<std::ptrdiff_t>(keep - v_textBase));
        v_textBase = keep;
        Submit(std::move(chunk), total == kUnknownLength);
    }

    // The first byte still in the window before the step at `pos`, of the
    // bytes up to `end`.
    static std::size_t WindowStart(std::size_t pos, std::size_t end) {
        const std::size_t stored = std::min(end, pos + kLookAhead - 1);
        return stored > kWindowSize ? stored - kWindowSize : 0;
    }

    void Submit(std::unique_ptr<TOrderChunk> chunk, bool bMore) {
        {
            const std::lock_guard lock(v_mutex);
            v_chunks.push_back(std::move(chunk));
        }
        v_changed.notify_all();
        if (bMore) StartWorker();
        WorkUntil(bMore ? kChunksInFlight - 1 : 0);
    }

    // A second core orders chunks while this thread codes; without a thread
    // this one does all the work.
    void StartWorker() {
        if (v_worker.joinable() || v_bNoWorker) return;
        try {
            v_workerOrder = std::make_unique<CTLZSSKeyOrder>();
            v_worker = std::thread([this] { Work(); });
        } catch (const std::exception&) {
            v_bNoWorker = true;
        }
    }

    void Work() {
        std::unique_lock lock(v_mutex);
        for (;;) {
            v_changed.wait(lock, [this] { return v_bStop || FirstQueued() != nullptr; });
            if (v_bStop) return;
            OrderChunk(*FirstQueued(), *v_workerOrder, lock);
            v_changed.notify_all();
        }
    }

    // Codes chunks until at most nLeft are pending, ordering queued ones
    // itself rather than waiting for the worker.
    void WorkUntil(std::size_t nLeft) {
        std::unique_lock lock(v_mutex);
        while (v_chunks.size() > nLeft) {
            TOrderChunk& front = *v_chunks.front();
            if (front.state == TOrderChunk::EState::Done) {
                lock.unlock();
                Code(front);
                lock.lock();
                v_chunks.pop_front();
            } else if (TOrderChunk* queued = FirstQueued()) {
                OrderChunk(*queued, *v_order, lock);
            } else {
                v_changed.wait(lock, [&front] { return front.state == TOrderChunk::EState::Done; });
            }
        }
    }

    static void OrderChunk(TOrderChunk& chunk, CTLZSSKeyOrder& order, std::unique_lock<std::mutex>& lock) {
        chunk.state = TOrderChunk::EState::Running;
        lock.unlock();
        order.Run(chunk);
        lock.lock();
        chunk.state = TOrderChunk::EState::Done;
    }

    TOrderChunk* FirstQueued() const {
        for (const auto& chunk : v_chunks) {
            if (chunk->state == TOrderChunk::EState::Queued) return chunk.get();
        }
        return nullptr;
    }

    // Replays the ages over the chunk's steps and sends a token wherever one
    // starts.
    void Code(const TOrderChunk& chunk) {
        for (std::size_t pos = chunk.first; pos < chunk.last; ++pos) {
            const TOrderStep& step = chunk.steps[pos - chunk.first];
            if (step.leftBelow != kNone) v_ages.Left(CTLZSSKeyOrder::Ring(pos + kLookAhead - 1), step);
            if (pos == v_nextToken) EmitToken(chunk, pos, v_ages.Match(step));
            v_ages.Entered(CTLZSSKeyOrder::Ring(pos), step);
        }
    }

    void EmitToken(const TOrderChunk& chunk, std::size_t pos, TMatch match) {
        const std::size_t nLeft = chunk.total - pos;
        const int lookAhead = static_cast<int>(std::min<std::size_t>(nLeft, kLookAhead));
        const int length = std::min(match.length, lookAhead);
        if (length <= kBreakEven) {
            PutBits(0x100u | chunk.Byte(pos), kLiteralBits);
            v_nextToken = pos + 1;
        } else {
            PutBits(static_cast<std::uint32_t>(match.pos << kLengthBits | (length - 2)), kMatchBits);
            v_nextToken = pos + static_cast<std::size_t>(length);
        }
    }

    void PutBits(std::uint32_t value, int nBits) {
        v_rack = v_rack << nBits | value;
        v_rackBits += nBits;
        while (v_rackBits >= 8) {
            v_rackBits -= 8;
            AppendByte(static_cast<std::uint8_t>(v_rack >> v_rackBits));
        }
    }

    void AppendByte(std::uint8_t b) {
        if (v_outFileP == kBlockSize) FlushOutputBlock();
        v_outBlock[v_outFileP++] = b;
    }

    void FlushOutputBlock() {
        v_out.WriteAll({reinterpret_cast<const char*>(v_outBlock.data()), v_outFileP});
        v_outFileP = 0;
    }

    CTStream& v_out;
    // Input not yet cut into chunks, after the window the next chunk needs.
    std::vector<std::uint8_t> v_text;
    std::size_t v_textBase = 0;   // stream position of v_text[0]
    std::size_t v_chunkFirst = 0;  // first step of the next chunk
    std::unique_ptr<CTLZSSKeyOrder> v_order;
    CTLZSSNodeAges v_ages;
    std::size_t v_nextToken = 0;  // stream position of the next token
    std::array<std::uint8_t, kBlockSize> v_outBlock;
    std::size_t v_outFileP = 0;  // bytes in the output block
    std::uint64_t v_rack = 0;    // pending output bits, the low v_rackBits of them
    int v_rackBits = 0;

    // Shared with the worker, under v_mutex.
    std::mutex v_mutex;
    std::condition_variable v_changed;
    std::deque<std::unique_ptr<TOrderChunk>> v_chunks;  // in stream order, not coded yet
    bool v_bStop = false;
    std::unique_ptr<CTLZSSKeyOrder> v_workerOrder;
    bool v_bNoWorker = false;
    std::thread v_worker;
};

// The decoder. It decodes whole chunks into a linear buffer that keeps the
// last window's bytes in front of them, so that a match is a copy from
// `distance` bytes back instead of a walk round the ring, and reads hand
// out decoded bytes from there.
class CTLZSSCharExpander {
public:
    explicit CTLZSSCharExpander(CTStream& in) : v_in(in) {}

    // Decodes up to n bytes; fewer means the end token was met.
    std::size_t Read(std::uint8_t* pOut, std::size_t n) {
        std::size_t nDone = 0;
        while (nDone < n) {
            if (v_outP == v_cur) {
                if (v_ended) break;
                DecodeChunk();
                continue;
            }
            const std::size_t take = std::min(n - nDone, v_cur - v_outP);
            std::memcpy(pOut + nDone, &v_buf[v_outP], take);
            v_outP += take;
            nDone += take;
        }
        return nDone;
    }

private:
    static constexpr std::size_t kChunk = 4 * kBlockSize;
    // A match may be copied as a whole 17-byte word past the chunk's end.
    static constexpr std::size_t kSlack = 32;

    // Keeps the last window's bytes, then decodes tokens until a chunk's
    // worth of bytes is there or the end token is met.
    void DecodeChunk() {
        if (v_cur + kChunk > v_buf.size() - kSlack) {
            std::memmove(&v_buf[0], &v_buf[v_cur - kWindowSize], kWindowSize);
            v_cur = v_outP = kWindowSize;
        }
        std::uint8_t* const base = v_buf.data();
        std::size_t cur = v_cur;
        const std::size_t limit = v_cur + kChunk;
        int r = v_r;
        while (cur < limit) {
            if (v_rackBits < kMatchBits) FillRack();
            if (v_rack >> 63) {
                base[cur++] = static_cast<std::uint8_t>(v_rack >> (64 - kLiteralBits));
                TakeBits(kLiteralBits);
                r = (r + 1) & kWindowMask;
                continue;
            }
            const int pos = static_cast<int>(v_rack >> (64 - kEndBits)) & kWindowMask;
            if (pos == kEndPosition) {
                v_ended = true;
                break;
            }
            const int length = static_cast<int>(v_rack >> (64 - kMatchBits) & ((1u << kLengthBits) - 1)) + 2;
            TakeBits(kMatchBits);
            // Position r is the one about to be overwritten: 4096 bytes back.
            const std::size_t distance = static_cast<std::size_t>(((r - pos - 1) & kWindowMask) + 1);
            CopyMatch(base + cur, distance, length);
            cur += static_cast<std::size_t>(length);
            r = (r + length) & kWindowMask;
        }
        v_cur = cur;
        v_r = r;
    }

    // A match that overlaps the bytes it produces repeats them, byte by byte.
    static void CopyMatch(std::uint8_t* pDest, std::size_t distance, int length) {
        const std::uint8_t* pSource = pDest - distance;
        if (distance >= static_cast<std::size_t>(kLookAhead)) {
            std::memcpy(pDest, pSource, kLookAhead);
            return;
        }
        for (int i = 0; i < length; ++i) pDest[i] = pSource[i];
    }

    void TakeBits(int nBits) {
        v_rack <<= nBits;
        v_rackBits -= nBits;
    }

    // Tops the bit buffer up to more than 56 bits; missing input reads as
    // zero bits, which decode as an end token. Eight bytes at once where the
    // input block has them: bits past the whole bytes taken are the next
    // bytes' own, so taking those again later changes nothing.
    void FillRack() {
        if (v_inLastP - v_inFileP >= sizeof(std::uint64_t)) {
            v_rack |= LoadKeyWord(&v_inFileBuff[v_inFileP]) >> v_rackBits;
            const int nBytes = (63 - v_rackBits) / 8;
            v_inFileP += static_cast<std::size_t>(nBytes);
            v_rackBits += 8 * nBytes;
            return;
        }
        while (v_rackBits <= 56) {
            v_rack |= std::uint64_t{NextByte()} << (56 - v_rackBits);
            v_rackBits += 8;
        }
    }

    std::uint8_t NextByte() {
        if (v_inFileP == v_inLastP && FillInputBlock() == 0) return 0;
        return v_inFileBuff[v_inFileP++];
    }

    std::size_t FillInputBlock() {
        if (v_fatal) return 0;
        v_inLastP = v_in.Read(v_inFileBuff.data(), kBlockSize);
        v_inFileP = 0;
        v_fatal = v_inLastP == 0;
        return v_inLastP;
    }

    CTStream& v_in;
    // The window's bytes (zero at the start), then the decoded chunk.
    std::array<std::uint8_t, kWindowSize + kChunk + kSlack> v_buf{};
    std::size_t v_cur = kWindowSize;   // where the next decoded byte goes
    std::size_t v_outP = kWindowSize;  // the next byte to hand out
    std::array<std::uint8_t, kBlockSize> v_inFileBuff;
    std::size_t v_inFileP = 0;
    std::size_t v_inLastP = 0;
    bool v_fatal = false;       // the input is exhausted; do not ask it again
    std::uint64_t v_rack = 0;   // pending input bits, left-aligned
    int v_rackBits = 0;
    int v_r = kStartPosition;   // window position of the next decoded byte
    bool v_ended = false;
};

void CTLZSSLogic::Compress(CTStream& in, CTStream& out) {
    auto coder = std::make_unique<CTLZSSCharCompressor>(out);
    std::vector<std::uint8_t> block(kBlockSize);
    while (const std::size_t n = in.Read(block.data(), block.size())) coder->Write(block.data(), n);
    coder->Finish();
}

void CTLZSSLogic::Expand(CTStream& in, CTStream& out) {
    auto coder = std::make_unique<CTLZSSCharExpander>(in);
    std::string block(kBlockSize, '\0');
    std::size_t n = 0;
    do {
        n = coder->Read(reinterpret_cast<std::uint8_t*>(block.data()), block.size());
        out.WriteAll({block.data(), n});
    } while (n == block.size());
}

std::size_t CTLZSSStream::Read(void*, std::size_t) { return 0; }

std::size_t CTLZSSStream::Write(const void*, std::size_t) { return 0; }

std::int64_t CTLZSSStream::Seek(std::int64_t, SeekOrigin) { return -1; }

CTLZSSCompressorStream::CTLZSSCompressorStream(CTStream& out)
    : v_engine(std::make_unique<CTLZSSCharCompressor>(out)) {}

CTLZSSCompressorStream::~CTLZSSCompressorStream() {
    try {
        Finish();
    } catch (...) {
        // A destructor cannot report; callers who care call Finish themselves.
    }
}

std::size_t CTLZSSCompressorStream::Write(const void* pBuffer, std::size_t nCount) {
    if (!v_engine || !v_success) return 0;
    Guarded(v_success, [&] { v_engine->Write(static_cast<const std::uint8_t*>(pBuffer), nCount); });
    return nCount;
}

void CTLZSSCompressorStream::Finish() {
    auto engine = std::move(v_engine);
    if (engine && v_success) Guarded(v_success, [&] { engine->Finish(); });
}

CTLZSSExpanderStream::CTLZSSExpanderStream(CTStream& in) : v_engine(std::make_unique<CTLZSSCharExpander>(in)) {}

CTLZSSExpanderStream::~CTLZSSExpanderStream() = default;

std::size_t CTLZSSExpanderStream::Read(void* pBuffer, std::size_t nCount) {
    if (!v_success) return 0;
    return Guarded(v_success, [&] { return v_engine->Read(static_cast<std::uint8_t*>(pBuffer), nCount); });
}

std::string LzssCompress(std::string_view bytes) {
    CTByteViewStream in(bytes);
    CTMemoryStream out;
    CTLZSSLogic::Compress(in, out);
    return out.TakeData();
}

std::string LzssExpand(std::string_view tokens) {
    CTByteViewStream in(tokens);
    CTMemoryStream out;
    CTLZSSLogic::Expand(in, out);
    return out.TakeData();
}

}  // namespace brumalis
