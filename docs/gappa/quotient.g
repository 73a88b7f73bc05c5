# The quotient a/d on the FMA units from y = RN(1/d):
#   q0 = RN(a*y)
#   r  = RN(d*q - a)   (one FMA: vfmsub)
#   q  = RN(q - r*y)   (one FMA: vfnmadd), twice
# Scaled so that a and d lie in [1, 2] (a = 0 and the signs are treated on
# the page). Checked: q0 is within 2^-52 of a/d relatively (up to 1.5 ulp),
# the first correction's value before rounding within 2^-104 (so q1 lies
# within one ulp of a/d and the second residual is exact), and y within
# 2^-53 of 1/d. The second correction then rounds correctly by Markstein's
# division theorem, proven on the page.
@rnd = float<ieee_64, ne>;

a = rnd(aa);
d = rnd(dd);
R = 1 / d;
Q = a / d;
y = rnd(R);
q0 = rnd(a * y);
R0 = d * q0 - a;               # the first residual, exact value
r0 = rnd(R0);
Q1 = q0 - r0 * y;
q1 = rnd(Q1);
R1 = d * q1 - a;

{ a in [1, 2] /\ d in [1, 2]
  -> (q0 - Q) / Q in [-0x1.0001p-52, 0x1.0001p-52]
  /\ (Q1 - Q) / Q in [-0x1.0001p-104, 0x1.0001p-104]
  /\ 1 - d * y in [-0x1p-53, 0x1p-53]
  /\ R1 in [-0x1.01p-51, 0x1.01p-51] }

(Q1 - Q) / Q -> ((q0 - Q) / Q) * (1 - d * y) - (r0 - R0) * (y / Q);
R0 -> a * ((q0 - Q) / Q);
R1 -> a * ((q1 - Q) / Q);
(q1 - Q) / Q -> (Q1 - Q) / Q + ((q1 - Q1) / Q1) * (Q1 / Q);
y / Q -> (y / R) / a;
y / R -> 1 + (y - R) / R;
1 - d * y -> -((y - R) / R);
(q0 - Q) / Q -> ((q0 - a * y) / (a * y)) * (a * y / Q) + (y - R) / R;
a * y / Q -> 1 + (y - R) / R;
