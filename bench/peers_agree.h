// The check the benchmark makes before timing anything: the baselines and
// the peers must convert correctly before their times mean anything.
#ifndef SEC1996_BENCH_PEERS_AGREE_H
#define SEC1996_BENCH_PEERS_AGREE_H

namespace sec1996::bench {

// True if the limit loop, the classic construction and every peer read and
// write the same counts as the library up to the end of 1998, where all of
// them know the same single leap second (the limit loop, which knows none,
// up to it).
bool peersAgree();

}  // namespace sec1996::bench

#endif  // SEC1996_BENCH_PEERS_AGREE_H
