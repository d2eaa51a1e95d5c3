#include "bench/reference_lzss.h"

#include <functional>
#include <utility>
#include <vector>

namespace brumalis::bench {

// The encoder in its textbook form: an explicit binary tree, modular window
// indexes, byte-wise key comparison, bit-by-bit output, one pass over the
// whole input; like the coder it never writes the fields of node 0. The coder
// under test keeps no tree, compares words and suspends between writes; both
// must choose the same tokens, ties included.
std::string ReferenceCompress(std::string_view in) {
    constexpr int N = 4096, F = 17, kRoot = N;
    std::vector<unsigned char> w(N, 0);
    std::vector<int> parent(N + 1, 0), smaller(N + 1, 0), larger(N + 1, 0);
    std::string out;
    unsigned mask = 0x80, rack = 0;
    auto putBits = [&](unsigned v, int n) {
        for (int i = n - 1; i >= 0; --i) {
            if (v >> i & 1) rack |= mask;
            mask >>= 1;
            if (mask == 0) {
                out += static_cast<char>(std::exchange(rack, 0));
                mask = 0x80;
            }
        }
    };
    auto relink = [&](int old, int node) {
        int& slot = smaller[parent[old]] == old ? smaller[parent[old]] : larger[parent[old]];
        slot = node;
    };
    auto contract = [&](int old, int child) {
        relink(old, child);
        if (child) parent[child] = parent[old];
        parent[old] = 0;
    };
    auto replace = [&](int old, int node) {
        relink(old, node);
        parent[node] = parent[old], smaller[node] = smaller[old], larger[node] = larger[old];
        if (smaller[node]) parent[smaller[node]] = node;
        if (larger[node]) parent[larger[node]] = node;
        parent[old] = 0;
    };
    std::function<void(int)> remove = [&](int p) {
        if (parent[p] == 0) return;
        if (larger[p] == 0) return contract(p, smaller[p]);
        if (smaller[p] == 0) return contract(p, larger[p]);
        int next = smaller[p];
        while (larger[next]) next = larger[next];
        remove(next);
        replace(p, next);
    };
    int q = 0;
    auto insert = [&](int r) {
        if (r == 0) return 0;
        int t = larger[kRoot], best = 0;
        for (;;) {
            int i = 0, d = 0;
            while (i < F && (d = w[(r + i) % N] - w[(t + i) % N]) == 0) ++i;
            if (i >= best) {
                best = i, q = t;
                if (best >= F) return replace(t, r), best;
            }
            int& child = d >= 0 ? larger[t] : smaller[t];
            if (child == 0) return child = r, parent[r] = t, smaller[r] = larger[r] = 0, best;
            t = child;
        }
    };
    std::size_t next = 0;
    int a = 0, r = 1, m = 0;
    while (a < F && next < in.size()) w[1 + a++] = static_cast<unsigned char>(in[next++]);
    larger[kRoot] = 1, parent[1] = kRoot;
    while (a > 0) {
        m = std::min(m, a);
        const int count = m <= 1 ? 1 : m;
        if (m <= 1) putBits(0x100u | w[r], 9);
        else putBits(static_cast<unsigned>(q << 4 | (m - 2)), 17);
        for (int k = 0; k < count; ++k) {
            remove((r + F) % N);
            if (next < in.size()) w[(r + F) % N] = static_cast<unsigned char>(in[next++]);
            else --a;
            r = (r + 1) % N;
            if (a) m = insert(r);
        }
    }
    putBits(0, 13);
    if (mask != 0x80) out += static_cast<char>(rack);
    return out;
}

}  // namespace brumalis::bench
