# The reciprocal on the FMA units: y0 from vrcp14pd, then Newton steps
#   e = RN(1 - d*y)   (one FMA: vfnmadd)
#   y = RN(y + y*e)   (one FMA: vfmadd)
# Scaled so that d lies in [1, 2]; on the loop's domain every intermediate is
# a normal number, so the scaling changes no rounding (docs/fma-division.md).
# Checked: the relative error before the second step's rounding is below
# 2^-56 (so y2 lies within one ulp of 1/d) and the third step's residual is
# below 2^-52 (so it is exact). The third step then rounds correctly by
# Markstein's reciprocal theorem, proven on the page.
@rnd = float<ieee_64, ne>;

d = rnd(dd);
y0 = rnd(yy);                  # any double within 2^-14 of 1/d, relatively
e0 = rnd(1 - d * y0);
Y1 = y0 + y0 * e0;
y1 = rnd(Y1);
e1 = rnd(1 - d * y1);
Y2 = y1 + y1 * e1;
y2 = rnd(Y2);

R = 1 / d;
E0 = 1 - d * y0;               # the exact residuals
E1 = 1 - d * y1;
E2 = 1 - d * y2;

{ d in [1, 2] /\ (y0 - R) / R in [-0x1p-14, 0x1p-14]
  -> (Y1 - R) / R in [-0x1.001p-28, 0x1.001p-28]
  /\ (Y2 - R) / R in [-0x1.001p-56, 0x1.001p-56]
  /\ E2 in [-0x1.4p-53, 0x1.4p-53]
  /\ e0 - E0 in [-0x1p-67, 0x1p-67]
  /\ e1 - E1 in [-0x1p-80, 0x1p-80] }

# One Newton step squares the relative error; the rounded residual adds its
# own small error: y + y*e - 1/d = -d (y - 1/d)^2 + y (e - E).
(Y1 - R) / R -> -((y0 - R) / R) * ((y0 - R) / R) + (y0 / R) * (e0 - E0);
(y1 - R) / R -> (Y1 - R) / R + ((y1 - Y1) / Y1) * (Y1 / R);
(Y2 - R) / R -> -((y1 - R) / R) * ((y1 - R) / R) + (y1 / R) * (e1 - E1);
(y2 - R) / R -> (Y2 - R) / R + ((y2 - Y2) / Y2) * (Y2 / R);
E0 -> -((y0 - R) / R);
E1 -> -((y1 - R) / R);
E2 -> -((y2 - R) / R);
