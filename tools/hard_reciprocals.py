#!/usr/bin/env python3
# Prints the significands of the hardest reciprocals for brisklet_divcheck:
# 1/d lies next to a rounding midpoint exactly when B * N = 2^106 + t with B
# the 53-bit significand of d, N odd and t small, so the odd divisors of
# 2^106 + t in [2^52, 2^53) are the cases. Needs sympy; takes about a minute.
import sympy

for t in sorted(range(-399, 400, 2), key=abs):
    divisors = sympy.divisors(2**106 + t)
    for b in divisors:
        if 2**52 <= b < 2**53:
            print(f"0x{b:x}ULL,")
