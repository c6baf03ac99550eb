#include "tests/exactness/big_unsigned.h"

#include <cstdio>
#include <cstdlib>

namespace exact {

namespace {

[[noreturn]] void Overflow() {
    std::fprintf(stderr, "BigUnsigned: result exceeds %d bits\n", BigUnsigned::kLimbs * 32);
    std::abort();
}

}  // namespace

BigUnsigned::BigUnsigned(std::uint64_t value) {
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
    size_ = 2;
    Trim();
}

BigUnsigned BigUnsigned::PowerOfTen(int exponent) {
    BigUnsigned power(1);
    for (; exponent >= 9; exponent -= 9) power.MultiplySmall(1000000000u);
    static const std::uint32_t kSmall[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    if (exponent > 0) power.MultiplySmall(kSmall[exponent]);
    return power;
}

void BigUnsigned::Trim() {
    while (size_ > 0 && limbs_[size_ - 1] == 0) --size_;
}

int BigUnsigned::BitLength() const {
    if (size_ == 0) return 0;
    return size_ * 32 - __builtin_clz(limbs_[size_ - 1]);
}

bool BigUnsigned::Bit(int index) const {
    if (index < 0 || index / 32 >= size_) return false;
    return ((limbs_[index / 32] >> (index % 32)) & 1u) != 0;
}

bool BigUnsigned::AnyBitBelow(int index) const {
    if (index <= 0) return false;
    const int whole = index / 32 < size_ ? index / 32 : size_;
    for (int i = 0; i < whole; ++i)
        if (limbs_[i] != 0) return true;
    if (whole < size_ && index % 32 != 0) return (limbs_[whole] & ((1u << (index % 32)) - 1u)) != 0;
    return false;
}

std::uint64_t BigUnsigned::Low64() const {
    return static_cast<std::uint64_t>(limbs_[0]) | (static_cast<std::uint64_t>(limbs_[1]) << 32);
}

BigUnsigned& BigUnsigned::ShiftLeft(int bits) {
    if (size_ == 0 || bits == 0) return *this;
    if (bits < 0) return ShiftRight(-bits);
    if (BitLength() + bits > kLimbs * 32) Overflow();
    const int whole = bits / 32;
    const int part = bits % 32;
    for (int i = size_ - 1 + whole + 1; i >= 0; --i) {
        if (i >= kLimbs) continue;
        const int from = i - whole;
        std::uint32_t value = 0;
        if (from >= 0 && from < size_) value = limbs_[from] << part;
        if (part != 0 && from - 1 >= 0 && from - 1 < size_) value |= limbs_[from - 1] >> (32 - part);
        limbs_[i] = value;
    }
    size_ = size_ + whole + 1 > kLimbs ? kLimbs : size_ + whole + 1;
    Trim();
    return *this;
}

BigUnsigned& BigUnsigned::ShiftRight(int bits) {
    if (size_ == 0 || bits == 0) return *this;
    if (bits < 0) return ShiftLeft(-bits);
    const int whole = bits / 32;
    const int part = bits % 32;
    if (whole >= size_) {
        *this = BigUnsigned();
        return *this;
    }
    for (int i = 0; i < size_; ++i) {
        const int from = i + whole;
        std::uint32_t value = 0;
        if (from < size_) value = limbs_[from] >> part;
        if (part != 0 && from + 1 < size_) value |= limbs_[from + 1] << (32 - part);
        limbs_[i] = value;
    }
    for (int i = size_ - whole; i < size_; ++i) limbs_[i] = 0;
    size_ -= whole;
    Trim();
    return *this;
}

BigUnsigned& BigUnsigned::MultiplySmall(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
        const std::uint64_t product = static_cast<std::uint64_t>(limbs_[i]) * factor + carry;
        limbs_[i] = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0) {
        if (size_ == kLimbs) Overflow();
        limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }
    Trim();
    return *this;
}

BigUnsigned& BigUnsigned::AddSmall(std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (int i = 0; i < size_ && carry != 0; ++i) {
        const std::uint64_t sum = static_cast<std::uint64_t>(limbs_[i]) + carry;
        limbs_[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    if (carry != 0) {
        if (size_ == kLimbs) Overflow();
        limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }
    return *this;
}

std::uint32_t BigUnsigned::DivideSmall(std::uint32_t divisor) {
    if (divisor == 0) {
        std::fprintf(stderr, "BigUnsigned: division by zero\n");
        std::abort();
    }
    std::uint64_t remainder = 0;
    for (int i = size_ - 1; i >= 0; --i) {
        const std::uint64_t current = (remainder << 32) | limbs_[i];
        limbs_[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    Trim();
    return static_cast<std::uint32_t>(remainder);
}

BigUnsigned& BigUnsigned::Add(const BigUnsigned& other) {
    const int longest = size_ > other.size_ ? size_ : other.size_;
    std::uint64_t carry = 0;
    for (int i = 0; i < longest; ++i) {
        const std::uint64_t sum = static_cast<std::uint64_t>(limbs_[i]) + other.limbs_[i] + carry;
        limbs_[i] = static_cast<std::uint32_t>(sum);
        carry = sum >> 32;
    }
    size_ = longest;
    if (carry != 0) {
        if (size_ == kLimbs) Overflow();
        limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }
    return *this;
}

BigUnsigned& BigUnsigned::Subtract(const BigUnsigned& other) {
    if (Compare(*this, other) < 0) {
        std::fprintf(stderr, "BigUnsigned: negative difference\n");
        std::abort();
    }
    std::int64_t borrow = 0;
    for (int i = 0; i < size_; ++i) {
        std::int64_t difference = static_cast<std::int64_t>(limbs_[i]) - other.limbs_[i] - borrow;
        borrow = difference < 0 ? 1 : 0;
        if (difference < 0) difference += std::int64_t{1} << 32;
        limbs_[i] = static_cast<std::uint32_t>(difference);
    }
    Trim();
    return *this;
}

BigUnsigned Multiply(const BigUnsigned& a, const BigUnsigned& b) {
    BigUnsigned product;
    if (a.size_ == 0 || b.size_ == 0) return product;
    if (a.size_ + b.size_ > BigUnsigned::kLimbs + 1) Overflow();
    std::uint32_t wide[2 * BigUnsigned::kLimbs] = {};
    for (int i = 0; i < a.size_; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < b.size_; ++j) {
            const std::uint64_t term = static_cast<std::uint64_t>(a.limbs_[i]) * b.limbs_[j] + wide[i + j] + carry;
            wide[i + j] = static_cast<std::uint32_t>(term);
            carry = term >> 32;
        }
        wide[i + b.size_] = static_cast<std::uint32_t>(carry);
    }
    int size = a.size_ + b.size_;
    while (size > 0 && wide[size - 1] == 0) --size;
    if (size > BigUnsigned::kLimbs) Overflow();
    for (int i = 0; i < size; ++i) product.limbs_[i] = wide[i];
    product.size_ = size;
    return product;
}

// Plain shift-and-subtract long division: slow but obviously right, and
// only the property tests use it.
void DivideWithRemainder(const BigUnsigned& a, const BigUnsigned& b, BigUnsigned* quotient,
                         BigUnsigned* remainder) {
    if (b.IsZero()) {
        std::fprintf(stderr, "BigUnsigned: division by zero\n");
        std::abort();
    }
    BigUnsigned q;
    BigUnsigned r;
    for (int bit = a.BitLength() - 1; bit >= 0; --bit) {
        r.ShiftLeft(1);
        if (a.Bit(bit)) {
            if (r.size_ == 0) r.size_ = 1;
            r.limbs_[0] |= 1u;
        }
        if (Compare(r, b) >= 0) {
            r.Subtract(b);
            q.limbs_[bit / 32] |= 1u << (bit % 32);
            if (q.size_ < bit / 32 + 1) q.size_ = bit / 32 + 1;
        }
    }
    q.Trim();
    if (quotient != nullptr) *quotient = q;
    if (remainder != nullptr) *remainder = r;
}

int Compare(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
    for (int i = a.size_ - 1; i >= 0; --i) {
        if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
}

}  // namespace exact
