#pragma once
// Finite fields GF(p^k) of up to a few thousand elements, for the algebraic whist constructions
// (internal to the seating library). An element is a number 0..q-1 whose base-p digits are its
// coefficients as a polynomial over Z_p (the lowest digit the constant term), so that addition is
// digit-wise addition modulo p; 0 is zero and 1 is one. Multiplication goes through logarithms to
// the base of a primitive element x.
#include <optional>
#include <vector>

namespace rh::seating::detail {

class GaloisField {
public:
    // The field of q elements; none when q is not a prime power.
    static std::optional<GaloisField> make(int q);

    int order() const { return m_q; }
    int characteristic() const { return m_p; }
    int degree() const { return m_k; }

    int add(int a, int b) const;
    int negate(int a) const;
    int multiply(int a, int b) const;
    // x^i for the field's primitive element x, any i >= 0.
    int power(int i) const { return m_exp[static_cast<std::size_t>(i % (m_q - 1))]; }

private:
    GaloisField(int p, int k, int q) : m_p(p), m_k(k), m_q(q) {}
    bool findPrimitivePolynomial();

    int m_p;
    int m_k;
    int m_q;
    std::vector<int> m_exp; // x^i, i = 0 .. q-2
    std::vector<int> m_log; // log of each nonzero element
};

// The prime-power factorization of n as (p, k) pairs, ascending p.
std::vector<std::pair<int, int>> primePowers(int n);

} // namespace rh::seating::detail
