// SPDX-License-Identifier: GPL-3.0-or-later
// Bareiss' fraction-free elimination: after step k every entry (i, j) below
// and to the right of the pivot is the minor of rows 0..k, i and columns
// 0..k, j, so that the division by the previous pivot is exact. Entries are
// small in the first steps, which hold most of the work, and grow by about
// the bits of a row each step: the steps run on the machine's integers of 64
// and 128 bits, then on words of 192, 256, 384 and 512 bits that GMP's mpn
// routines compute with, then on GMP integers, each as long as it holds the
// entries.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "matrix/exact_parts.h"

namespace {

// Reports the work done before step k and looks at the cancel flag.
class StepPacer {
  public:
    StepPacer(std::size_t size, WorkControl* control) : size_(size), control_(control) {
        for (std::size_t k = 0; k + 1 < size; ++k) total_ += work(k);
    }
    bool going(std::size_t k) const {
        if (control_ == nullptr) return true;
        double done = 0;
        for (std::size_t j = 0; j < k; ++j) done += work(j);
        control_->reportFraction(done / total_);
        return !control_->cancelRequested();
    }

  private:
    double work(std::size_t k) const {
        return static_cast<double>((size_ - k - 1) * (size_ - k - 1));
    }
    std::size_t size_;
    WorkControl* control_;
    double total_ = 0;
};

// Where elimination stands: the next step, and the sign of the row swaps.
struct Elimination {
    std::size_t size;
    std::size_t step = 0;
    int sign = 1;
    bool singular = false;
    bool cancelled = false;
};

// Before the step e.step, whose row and column are k of the dim x dim block m:
// false when cancelled or when column k is zero from row k down (the
// determinant is 0); otherwise a row with a nonzero entry there is row k, and
// a swap has flipped the sign.
template <class Entry, class IsZero>
bool beginStep(std::vector<Entry>& m, std::size_t dim, std::size_t k, Elimination& e,
               const StepPacer& pacer, IsZero isZero) {
    if (!pacer.going(e.step)) {
        e.cancelled = true;
        return false;
    }
    if (!isZero(m[k * dim + k])) return true;
    std::size_t p = k + 1;
    while (p < dim && isZero(m[p * dim + k])) ++p;
    if (p == dim) {
        e.singular = true;
        return false;
    }
    for (std::size_t j = k; j < dim; ++j) std::swap(m[k * dim + j], m[p * dim + j]);
    e.sign = -e.sign;
    return true;
}

__extension__ typedef unsigned __int128 Unsigned128;
__extension__ typedef __int128 Signed128;

// The machine's integers of 64 and 128 bits: the first steps fit in them.
template <int N>
struct WordTypes;
template <>
struct WordTypes<1> {
    using Unsigned = std::uint64_t;
    using Signed = std::int64_t;
};
template <>
struct WordTypes<2> {
    using Unsigned = Unsigned128;
    using Signed = Signed128;
};

template <int N>
struct MachineWord;
template <int N>
struct LimbWord;

// An integer of 64 N bits in two's complement: sums, differences and
// products are exact modulo 2^(64 N). Up to 128 bits the machine's own
// integers; wider, GMP's routines on N limbs (its mpn layer).
template <int N>
using Word = std::conditional_t<(N <= 2), MachineWord<N>, LimbWord<N>>;

static_assert(GMP_LIMB_BITS == 64 && GMP_NAIL_BITS == 0);

// The limbs of a word that has n, least significant first, on m limbs with
// its sign copied into the new ones.
inline void signExtend(const mp_limb_t* from, int n, mp_limb_t* to, int m) {
    const mp_limb_t fill = static_cast<std::int64_t>(from[n - 1]) < 0 ? ~mp_limb_t{0} : 0;
    for (int i = 0; i < m; ++i) to[i] = i < n ? from[i] : fill;
}

template <int N>
struct MachineWord {
    using Unsigned = typename WordTypes<N>::Unsigned;
    using Signed = typename WordTypes<N>::Signed;
    static constexpr int kBits = 64 * N;
    Unsigned v = 0;

    bool negative() const { return (v >> (kBits - 1)) != 0; }
    bool zero() const { return v == 0; }
    MachineWord operator-() const { return {static_cast<Unsigned>(Unsigned{0} - v)}; }
    MachineWord operator-(const MachineWord& b) const { return {static_cast<Unsigned>(v - b.v)}; }
    MachineWord operator*(const MachineWord& b) const { return {static_cast<Unsigned>(v * b.v)}; }
    static MachineWord differenceOfProducts(const MachineWord& a, const MachineWord& b,
                                            const MachineWord& c, const MachineWord& d) {
        return {static_cast<Unsigned>(a.v * b.v - c.v * d.v)};
    }
    MachineWord& operator|=(const MachineWord& b) {
        v |= b.v;
        return *this;
    }
    // Shifts by 0 <= s < kBits, copying the sign when arithmetic.
    MachineWord shiftedRight(int s, bool arithmetic) const {
        Unsigned r = v >> s;
        if (s != 0 && arithmetic && negative())
            r |= static_cast<Unsigned>(~Unsigned{0} << (kBits - s));
        return {r};
    }
    MachineWord magnitude() const { return negative() ? -*this : *this; }
    // The bits of a negative word inverted: the magnitude less one, at no cost.
    MachineWord complemented() const {
        return negative() ? MachineWord{static_cast<Unsigned>(~v)} : *this;
    }
    std::uint64_t high() const {
        return N == 1 ? 0 : static_cast<std::uint64_t>(v >> (kBits - 64));
    }
    std::uint64_t low() const { return static_cast<std::uint64_t>(v); }
    int bitLength() const {
        if (high() != 0) return kBits - std::countl_zero(high());
        return low() == 0 ? 0 : 64 - std::countl_zero(low());
    }
    int trailingZeros() const {
        if (low() != 0) return std::countr_zero(low());
        return high() != 0 ? 64 + std::countr_zero(high()) : kBits;
    }
    void toLimbs(mp_limb_t* limbs) const {
        limbs[0] = low();
        if (N == 2) limbs[1] = high();
    }
    static MachineWord fromLimbs(const mp_limb_t* limbs) {
        Unsigned v = limbs[0];
        if (N == 2) v |= static_cast<Unsigned>(limbs[1]) << 32 << 32;
        return {v};
    }
    template <int M>
    Word<M> widened() const {
        std::array<mp_limb_t, 2> mine{};
        toLimbs(mine.data());
        std::array<mp_limb_t, M> wider{};
        signExtend(mine.data(), N, wider.data(), M);
        return Word<M>::fromLimbs(wider.data());
    }
    static MachineWord of(long value) {
        return {static_cast<Unsigned>(static_cast<Signed>(value))};
    }
    void toInteger(mpz_class& z) const {
        std::array<mp_limb_t, 2> limbs{};
        magnitude().toLimbs(limbs.data());
        mpz_import(z.get_mpz_t(), N, -1, sizeof(mp_limb_t), 0, 0, limbs.data());
        if (negative()) mpz_neg(z.get_mpz_t(), z.get_mpz_t());
    }
};

template <int N>
struct LimbWord {
    static constexpr int kBits = 64 * N;
    std::array<mp_limb_t, N> limb{};

    bool negative() const { return static_cast<std::int64_t>(limb[N - 1]) < 0; }
    bool zero() const { return mpn_zero_p(limb.data(), N) != 0; }
    LimbWord operator-() const {
        LimbWord r;
        mpn_neg(r.limb.data(), limb.data(), N);
        return r;
    }
    LimbWord operator-(const LimbWord& b) const {
        LimbWord r;
        mpn_sub_n(r.limb.data(), limb.data(), b.limb.data(), N);
        return r;
    }
    // The low N limbs of the product: only the partial products that reach
    // them, half of the full product's.
    LimbWord operator*(const LimbWord& b) const {
        LimbWord r;
        mpn_mul_1(r.limb.data(), limb.data(), N, b.limb[0]);
        for (int i = 1; i < N; ++i) mpn_addmul_1(r.limb.data() + i, limb.data(), N - i, b.limb[i]);
        return r;
    }
    // a b - c d, its low N limbs, in one pass over the result.
    static LimbWord differenceOfProducts(const LimbWord& a, const LimbWord& b, const LimbWord& c,
                                         const LimbWord& d) {
        LimbWord r = a * b;
        for (int i = 0; i < N; ++i)
            mpn_submul_1(r.limb.data() + i, c.limb.data(), N - i, d.limb[i]);
        return r;
    }
    LimbWord& operator|=(const LimbWord& b) {
        for (int i = 0; i < N; ++i) limb[i] |= b.limb[i];
        return *this;
    }
    LimbWord shiftedRight(int s, bool arithmetic) const {
        LimbWord r;
        const int limbs = s / 64, bits = s % 64;
        if (bits != 0) {
            mpn_rshift(r.limb.data(), limb.data() + limbs, N - limbs, static_cast<unsigned>(bits));
        } else {
            std::copy_n(limb.begin() + limbs, N - limbs, r.limb.begin());
        }
        if (s != 0 && arithmetic && negative()) {
            // The vacated top s bits take the sign.
            for (int i = N - 1; i > N - 1 - limbs; --i) r.limb[i] = ~mp_limb_t{0};
            if (bits != 0) r.limb[N - 1 - limbs] |= ~mp_limb_t{0} << (64 - bits);
        }
        return r;
    }
    LimbWord magnitude() const { return negative() ? -*this : *this; }
    LimbWord complemented() const {
        if (!negative()) return *this;
        LimbWord r;
        for (int i = 0; i < N; ++i) r.limb[i] = ~limb[i];
        return r;
    }
    int bitLength() const {
        int n = N;
        while (n > 0 && limb[n - 1] == 0) --n;
        return n == 0 ? 0 : static_cast<int>(mpn_sizeinbase(limb.data(), n, 2));
    }
    int trailingZeros() const {
        return zero() ? kBits : static_cast<int>(mpn_scan1(limb.data(), 0));
    }
    void toLimbs(mp_limb_t* limbs) const { std::copy_n(limb.begin(), N, limbs); }
    static LimbWord fromLimbs(const mp_limb_t* limbs) {
        LimbWord r;
        std::copy_n(limbs, N, r.limb.begin());
        return r;
    }
    template <int M>
    Word<M> widened() const {
        std::array<mp_limb_t, M> wider{};
        signExtend(limb.data(), N, wider.data(), M);
        return Word<M>::fromLimbs(wider.data());
    }
    static LimbWord of(long value) {
        const mp_limb_t one = static_cast<mp_limb_t>(value);
        LimbWord r;
        signExtend(&one, 1, r.limb.data(), N);
        return r;
    }
    void toInteger(mpz_class& z) const {
        const LimbWord m = magnitude();
        mpz_import(z.get_mpz_t(), N, -1, sizeof(mp_limb_t), 0, 0, m.limb.data());
        if (negative()) mpz_neg(z.get_mpz_t(), z.get_mpz_t());
    }
};

// Steps on words of 64 N bits. The division by the previous pivot 2^t x odd is a
// shift and a product with the inverse of odd modulo 2^(64 N), exact while the
// quotient fits in 64 N - t bits with its sign. The new entry
// (pivot x entry - multiplier x pivot-row entry) / previous, with every entry
// below 2^b in magnitude and the previous pivot at least 2^(p-1), is below
// 2^(2b - p + 2): the steps go on while 2b - p + 3 <= 64 N - t.
// Only the rows and columns from the step a width began matter to the later
// steps: each width keeps that block alone, (size - first)^2 entries.
template <int N>
struct WordBlock {
    std::size_t first;  // the block's first row and column in the matrix
    std::size_t dim;
    std::vector<Word<N>> w;
    Word<N> previous;  // the pivot of the step before e.step, or 1
};

template <int N>
void wordSteps(WordBlock<N>& block, Elimination& e, const StepPacer& pacer) {
    const std::size_t dim = block.dim;
    std::vector<Word<N>>& w = block.w;
    for (; e.step + 1 < e.size; ++e.step) {
        const std::size_t k = e.step - block.first;
        // With the highest bit of every entry's complement: |x| <= 2^L for
        // L its bit length, so entries are below 2^(L + 1).
        Word<N> magnitudes;
        for (std::size_t i = k; i < dim; ++i) {
            for (std::size_t j = k; j < dim; ++j) magnitudes |= w[i * dim + j].complemented();
        }
        const int shift = block.previous.trailingZeros();
        if (2 * (magnitudes.bitLength() + 1) - block.previous.magnitude().bitLength() + 3 >
            Word<N>::kBits - shift) {
            return;
        }
        if (!beginStep(w, dim, k, e, pacer, [](const Word<N>& x) { return x.zero(); })) return;
        const Word<N> odd = block.previous.shiftedRight(shift, true);
        const Word<N> two = Word<N>::of(2);
        Word<N> inverse = odd;  // right to 3 bits; each step doubles them
        for (int bits = 3; bits < Word<N>::kBits; bits *= 2) {
            inverse = inverse * (two - odd * inverse);
        }
        // The new entry q = minor / (2^shift odd) fits in the word less its top
        // shift bits, and minor x inverse = q 2^shift modulo the word; with
        // the inverse taken into pivot and multiplier first, an entry costs
        // two products, and the quotient is that shifted back with its sign.
        const Word<N> pivot = w[k * dim + k];
        const Word<N> pivotByPrevious = pivot * inverse;
        for (std::size_t i = k + 1; i < dim; ++i) {
            const Word<N> multiplierByPrevious = w[i * dim + k] * inverse;
            for (std::size_t j = k + 1; j < dim; ++j) {
                Word<N>& entry = w[i * dim + j];
                entry = Word<N>::differenceOfProducts(entry, pivotByPrevious, w[k * dim + j],
                                                      multiplierByPrevious);
                if (shift != 0) entry = entry.shiftedRight(shift, true);
            }
        }
        block.previous = pivot;
    }
}

// Goes on with words of 64 N bits, then with the next width up to 512 bits.
// Leaves in m what the steps on GMP integers need: the block, and the
// previous pivot; or, when all steps are done, the last entry.
template <int N>
void widerSteps(WordBlock<N>& block, std::vector<mpz_class>& m, Elimination& e,
                const StepPacer& pacer) {
    wordSteps(block, e, pacer);
    if (e.singular || e.cancelled) return;
    if (e.step + 1 == e.size) {
        block.w.back().toInteger(m.back());
        return;
    }
    if constexpr (N < 8) {
        constexpr int kNext = N < 4 ? N + 1 : N + 2;
        WordBlock<kNext> wider{
            e.step, e.size - e.step, {}, block.previous.template widened<kNext>()};
        wider.w.resize(wider.dim * wider.dim);
        const std::size_t offset = wider.first - block.first;
        for (std::size_t i = 0; i < wider.dim; ++i) {
            for (std::size_t j = 0; j < wider.dim; ++j) {
                wider.w[i * wider.dim + j] =
                    block.w[(i + offset) * block.dim + j + offset].template widened<kNext>();
            }
        }
        std::vector<Word<N>>().swap(block.w);
        widerSteps(wider, m, e, pacer);
    } else {
        for (std::size_t i = 0; i < block.dim; ++i) {
            for (std::size_t j = 0; j < block.dim; ++j) {
                block.w[i * block.dim + j].toInteger(
                    m[(block.first + i) * e.size + block.first + j]);
            }
        }
        if (e.step > 0) block.previous.toInteger(m[(e.step - 1) * e.size + e.step - 1]);
    }
}

// The steps on words, from the start, when every entry fits in 64 bits.
void smallSteps(std::vector<mpz_class>& m, Elimination& e, const StepPacer& pacer) {
    for (const mpz_class& x : m) {
        if (!mpz_fits_slong_p(x.get_mpz_t())) return;
    }
    WordBlock<1> block{0, e.size, std::vector<Word<1>>(m.size()), Word<1>::of(1)};
    for (std::size_t i = 0; i < m.size(); ++i) block.w[i] = Word<1>::of(m[i].get_si());
    widerSteps(block, m, e, pacer);
}

// The remaining steps on GMP integers, in place.
void integerSteps(std::vector<mpz_class>& m, Elimination& e, const StepPacer& pacer) {
    const std::size_t size = e.size;
    const auto at = [&](std::size_t i, std::size_t j) -> mpz_class& { return m[i * size + j]; };
    mpz_srcptr previous = e.step > 0 ? at(e.step - 1, e.step - 1).get_mpz_t() : nullptr;
    mpz_class scratchValue;
    mpz_ptr scratch = scratchValue.get_mpz_t();
    for (; e.step + 1 < size; ++e.step) {
        const std::size_t k = e.step;
        if (!beginStep(m, size, k, e, pacer, [](const mpz_class& x) { return sgn(x) == 0; })) {
            return;
        }
        mpz_srcptr pivot = at(k, k).get_mpz_t();
        for (std::size_t i = k + 1; i < size; ++i) {
            mpz_srcptr multiplier = at(i, k).get_mpz_t();
            const bool zeroMultiplier = mpz_sgn(multiplier) == 0;
            for (std::size_t j = k + 1; j < size; ++j) {
                mpz_ptr entry = at(i, j).get_mpz_t();
                if (zeroMultiplier && mpz_sgn(entry) == 0) continue;
                // Into the scratch and back: no operand is also the result, so
                // GMP copies nothing.
                mpz_mul(scratch, entry, pivot);
                if (!zeroMultiplier) mpz_submul(scratch, multiplier, at(k, j).get_mpz_t());
                if (previous != nullptr) {
                    mpz_divexact(entry, scratch, previous);
                } else {
                    mpz_swap(entry, scratch);
                }
            }
        }
        previous = pivot;
    }
}

}  // namespace

std::optional<mpz_class> BareissDeterminant(int n, std::vector<mpz_class>& m, double entryBits,
                                            WorkControl* control) {
    Elimination e{static_cast<std::size_t>(n)};
    const StepPacer pacer(e.size, control);
    smallSteps(m, e, pacer);
    // Every entry's room for its longest value at once, when that is small,
    // rather than one more limb at a time.
    const bool stepsLeft = !e.singular && !e.cancelled && e.step + 1 < e.size;
    if (stepsLeft && entryBits < 4096) {
        for (mpz_class& x : m) {
            mpz_realloc2(x.get_mpz_t(), static_cast<mp_bitcnt_t>(entryBits) + 64);
        }
    }
    if (stepsLeft) integerSteps(m, e, pacer);
    if (e.cancelled) return std::nullopt;
    if (e.singular) return mpz_class(0);
    if (control != nullptr) control->reportFraction(1.0);
    mpz_class value = m.back();
    if (e.sign < 0) value = -value;
    return value;
}
