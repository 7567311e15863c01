// Relay + broadcast through the engine's bus against the same work done by a
// plain loop over std::function listeners and by Boost.Signals2.
// Each iteration queues kMessages time updates and delivers each to every
// listener of the type; the listeners add up the time steps. The owned case
// binds each listener to an owner, as components do, which the bus checks is
// still alive before every call.
#include <benchmark/benchmark.h>

#include <boost/signals2/signal.hpp>
#include <functional>
#include <memory>
#include <vector>

#include "core/Engine.h"
#include "core/GameFlowMessages.h"

namespace {

constexpr int kMessages = 64;

std::shared_ptr<Message> MakeUpdate(int i) {
  return std::make_shared<TimeUpdateMessage>(L"B", 0.001f * static_cast<float>(i));
}

float StepOf(const std::shared_ptr<Message>& message) {
  return static_cast<const TimeUpdateMessage&>(*message).GetDT();
}

// Owned listeners are bound to an owner, as components bind theirs.
void RunEngineBus(benchmark::State& state, bool owned) {
  const int listeners = static_cast<int>(state.range(0));
  Engine::ClearListeners();
  float sum = 0.0f;
  std::vector<std::shared_ptr<int>> owners;
  for (int l = 0; l < listeners; ++l) {
    auto add = [&sum](const std::shared_ptr<Message>& m) { sum += StepOf(m); };
    if (owned) {
      owners.push_back(std::make_shared<int>(l));
      Engine::RegisterListener(MT_TIME_UPDATE, Callable(l, add, std::weak_ptr<const void>(owners.back())));
    } else {
      Engine::RegisterListener(MT_TIME_UPDATE, Callable(l, add));
    }
  }
  for (auto _ : state) {
    for (int i = 0; i < kMessages; ++i) Engine::RelayMessage(MakeUpdate(i));
    Engine::BroadcastMessages();
    benchmark::DoNotOptimize(sum);
  }
  Engine::BroadcastMessages();
  Engine::ClearListeners();
  state.SetItemsProcessed(state.iterations() * kMessages);
}

void BM_EngineBus(benchmark::State& state) { RunEngineBus(state, false); }
void BM_EngineBusOwned(benchmark::State& state) { RunEngineBus(state, true); }

void BM_PlainFunctionLoop(benchmark::State& state) {
  const int listeners = static_cast<int>(state.range(0));
  float sum = 0.0f;
  std::vector<std::function<void(const std::shared_ptr<Message>&)>> handlers;
  for (int l = 0; l < listeners; ++l)
    handlers.emplace_back([&sum](const std::shared_ptr<Message>& m) { sum += StepOf(m); });
  std::vector<std::shared_ptr<Message>> queue;
  for (auto _ : state) {
    for (int i = 0; i < kMessages; ++i) queue.push_back(MakeUpdate(i));
    for (const auto& message : queue) {
      for (const auto& handler : handlers) handler(message);
    }
    queue.clear();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kMessages);
}

void BM_BoostSignals2(benchmark::State& state) {
  const int listeners = static_cast<int>(state.range(0));
  float sum = 0.0f;
  boost::signals2::signal<void(const std::shared_ptr<Message>&)> signal;
  for (int l = 0; l < listeners; ++l) signal.connect([&sum](const std::shared_ptr<Message>& m) { sum += StepOf(m); });
  std::vector<std::shared_ptr<Message>> queue;
  for (auto _ : state) {
    for (int i = 0; i < kMessages; ++i) queue.push_back(MakeUpdate(i));
    for (const auto& message : queue) signal(message);
    queue.clear();
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kMessages);
}

}  // namespace

BENCHMARK(BM_EngineBus)->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(BM_EngineBusOwned)->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(BM_PlainFunctionLoop)->Arg(1)->Arg(8)->Arg(64);
BENCHMARK(BM_BoostSignals2)->Arg(1)->Arg(8)->Arg(64);

BENCHMARK_MAIN();
