#include "tests/fuzz/FuzzInput.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ApplyCycle.h"
#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/ModelPage.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/HostileCorpus.h"
#include "tests/support/PageLoads.h"
#include "tests/support/Windows.h"

namespace velmora::fuzz {
namespace {

// Operations of the input, one byte each followed by their operands.
enum Op : std::uint8_t {
    kSetValue,       // target, type, length (2 bytes), data
    kMakeSubkey,     // target, name length, name
    kAddEntry,       // target, name length, name (lists; other targets get a subkey)
    kHostile,        // target, state: a state of the corpus
    kRegistryFault,  // call, nth, error
    kServiceFault,   // which, nth
    kOpCount
};

class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string Bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(at_, size_));
        std::string out(reinterpret_cast<const char*>(data_ + at_), n);
        at_ += n;
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz: %s\n", what);
        std::abort();
    }
}

void Decode(Reader& in, FakeServices& fakes) {
    const auto targets = hostile::Targets();
    const auto states = hostile::States();
    int ops = 0;
    while (!in.Done() && ops++ < 64) {
        const std::uint8_t op = in.Byte() % kOpCount;
        const hostile::Target& target = targets[in.Byte() % targets.size()];
        switch (op) {
            case kSetValue: {
                const std::uint32_t type = in.Byte() % 12;
                std::size_t length = in.Byte();
                length = length * 256 + in.Byte();
                // The largest lengths stand for huge values, which the input itself could not carry.
                std::string data =
                    length >= 0xFF00 ? std::string(hostile::kHugeTextSize, '9') : in.Bytes(length);
                const bool named = target.kind == hostile::Kind::kValue;
                hostile::SetRaw(fakes.registry, target.root, target.path,
                                named ? target.name : in.Bytes(in.Byte() % 8), type,
                                std::vector<std::uint8_t>(data.begin(), data.end()));
                break;
            }
            case kMakeSubkey:
            case kAddEntry: {
                std::string name = in.Bytes(in.Byte());
                for (char& c : name) {
                    if (c == '\\' || c == '\0') {
                        c = '_';
                    }
                }
                if (name.empty()) {
                    name = "_";
                }
                if (op == kAddEntry && target.addEntry != nullptr) {
                    target.addEntry(fakes.registry, target, name);
                } else {
                    hostile::MakeKey(fakes.registry, target.root, std::string(target.path) + "\\" + name);
                }
                break;
            }
            case kHostile: {
                const hostile::State& state = states[in.Byte() % states.size()];
                if (hostile::Applies(state, target)) {
                    hostile::SetUp(fakes.registry, target);
                    state.apply(fakes.registry, target);
                }
                break;
            }
            case kRegistryFault: {
                const auto call = static_cast<MemoryRegistry::Call>(
                    in.Byte() % static_cast<int>(MemoryRegistry::Call::kCount));
                const unsigned nth = 1 + in.Byte();
                fakes.registry.FailNth(call, nth,
                                       in.Byte() % 2 == 0 ? reg::kAccessDenied : reg::kFileNotFound);
                break;
            }
            case kServiceFault: {
                FaultTrigger* triggers[] = {&fakes.parameters.fault,        &fakes.directories.existsFault,
                                            &fakes.directories.createFault, &fakes.directories.removeFault,
                                            &fakes.shell.openFault,         &fakes.shell.runFault};
                FaultTrigger* trigger = triggers[in.Byte() % std::size(triggers)];
                trigger->Arm(1 + in.Byte());
                break;
            }
            default:
                break;
        }
    }
}

template <typename Model>
void ApplyAll(FakeServices& fakes, Model& model) {
    for (int& state : model.check) {
        state = 1 - state;
    }
    for (int row = 0; row < Model::kRowCount; ++row) {
        const int control = Model::ControlOf(static_cast<typename Model::Row>(row));
        model.Touch(control, notify::kButtonClicked);
        model.Touch(control, notify::kSelectionChange);
        model.Touch(control, notify::kEditChange);
    }
    Services services = fakes.Get();
    ModelPage page(model);
    const ApplyTarget targets[] = {{&page}};
    const std::vector<FailedSetting> failed = ApplyTouchedSettings(services, targets).failed;
    // A row stays marked exactly when its failure is reported, with the error code that caused it.
    std::size_t marked = 0;
    for (int row = 0; row < Model::kRowCount; ++row) {
        marked += model.Changed(row) ? 1 : 0;
    }
    const auto rowFailures = std::count_if(failed.begin(), failed.end(), [](const FailedSetting& f) {
        return std::string_view(f.caption) != kRebuildCaption;
    });
    Check(marked == static_cast<std::size_t>(rowFailures),
          "a touched row is marked without its failure reported");
    Check(std::all_of(failed.begin(), failed.end(), [](const FailedSetting& f) { return f.error != 0; }),
          "a failure is reported without its error code");
    Check(!model.IconRebuildPending(), "an icon rebuild is still pending after apply");
    Check(fakes.registry.OpenHandleCount() == 0, "a key handle was left open by an apply");
}

}  // namespace

void RunInput(const std::uint8_t* data, std::size_t size) {
    FakeServices fakes;
    fakes.messages.defaultAnswer = mb::kIdYes;
    Reader in(data, size);
    Decode(in, fakes);
    for (const std::string& page : testing::LoadedPages()) {
        testing::LoadPage(fakes, page);
        Check(fakes.registry.OpenHandleCount() == 0, "a key handle was left open by a load");
    }
    DesktopSettings desktop(fakes.Get());
    desktop.Load(testing::kWindows98Plus);
    desktop.shortcutArrows = 1;
    ApplyAll(fakes, desktop);
    StartMenuSettings startMenu(fakes.Get());
    startMenu.Load(testing::kWindows98Plus);
    ApplyAll(fakes, startMenu);
    MiscSettings misc(fakes.Get());
    misc.Load(testing::kWindows98Plus);
    ApplyAll(fakes, misc);
    SecuritySettings security(fakes.Get());
    security.Load(testing::kWindows98Plus);
    ApplyAll(fakes, security);
}

std::vector<std::vector<std::uint8_t>> SeedInputs() {
    std::vector<std::vector<std::uint8_t>> seeds;
    const auto targets = hostile::Targets();
    const auto states = hostile::States();
    for (std::size_t t = 0; t < targets.size(); ++t) {
        for (std::size_t s = 0; s < states.size(); ++s) {
            if (hostile::Applies(states[s], targets[t])) {
                seeds.push_back({kHostile, static_cast<std::uint8_t>(t), static_cast<std::uint8_t>(s)});
            }
        }
        // The target with ordinary data and a failing call of each kind at the first few points.
        for (std::uint8_t call = 0; call < static_cast<std::uint8_t>(MemoryRegistry::Call::kCount); ++call) {
            seeds.push_back({kSetValue, static_cast<std::uint8_t>(t), 1, 0, 2, '1', 0, kRegistryFault, 0,
                             call, static_cast<std::uint8_t>(t % 7), call});
        }
    }
    return seeds;
}

std::vector<std::uint8_t> RandomInput(std::uint64_t seed, std::size_t maxSize) {
    // splitmix64: the same inputs on every machine.
    std::uint64_t state = seed;
    const auto next = [&state] {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    std::vector<std::uint8_t> input(next() % (maxSize + 1));
    for (std::uint8_t& byte : input) {
        byte = static_cast<std::uint8_t>(next());
    }
    // Keep lengths small most of the time, so that an input holds several operations.
    for (std::size_t i = 3; i < input.size(); i += 7) {
        input[i] &= 0x01;
    }
    return input;
}

}  // namespace velmora::fuzz
