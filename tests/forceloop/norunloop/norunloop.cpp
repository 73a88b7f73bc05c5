// A library that loads but does not export RunLoop.
extern "C" int NotTheForceLoop() { return 7; }
