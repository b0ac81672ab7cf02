#pragma once

// What the repaint benchmarks share: a form repainted whole through the toolkit, and the
// baseline of copying its pixels once.

#include "toolkit/forms/Form.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

inline void RepaintWhole(benchmark::State& state, TForm& form)
{
    for (auto _ : state) {
        form.Repaint();
        benchmark::DoNotOptimize(form.BackBuffer().Bits());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(form.Width()) * form.Height());
}

inline void CopyPixelsOnce(benchmark::State& state, const TForm& form)
{
    const size_t count = size_t(form.Width()) * size_t(form.Height());
    std::vector<uint32_t> source(count, 0xFFD4D0C8u), target(count);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), count * sizeof(uint32_t));
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(count));
}
