#pragma once

#include <utility>
#include <vector>

// The shortest solution: every move of `disks` disks from one tower to another.
inline std::vector<std::pair<int, int>> shortestSolution(int disks, int from, int to)
{
    if (disks == 0)
        return {};
    const int spare = 6 - from - to;
    auto moves = shortestSolution(disks - 1, from, spare);
    moves.emplace_back(from, to);
    const auto rest = shortestSolution(disks - 1, spare, to);
    moves.insert(moves.end(), rest.begin(), rest.end());
    return moves;
}
