// The registry view: in the 64-bit view every open and create carries KEY_WOW64_64KEY, key deletes go
// through RegDeleteKeyExA with it and a subkey's default value is read from the subkey opened in the
// view; in the process's own view every call is made exactly as before. Each call kind of the layer
// once, in both views, and then every page's load and the list pages' removals through it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "registry/MemoryRegistry.h"
#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "settings/ShellNewList.h"
#include "settings/UninstallList.h"
#include "system/fakes/FakeServices.h"
#include "tests/support/HostileCorpus.h"
#include "tests/support/PageLoads.h"
#include "tests/support/RecordingRegistryCalls.h"

namespace velmora {
namespace {

using testing::RecordingRegistryCalls;
using testing::ViewCall;

constexpr HKey kMachine = ToHKey(RootKey::LocalMachine);
constexpr const char* kKey = "Software\\Velmora";
constexpr const char* kSub = "Software\\Velmora\\Sub";
constexpr const char* kGone = "Software\\Velmora\\Gone";

std::string ViewName(RegistryView view) {
    return view == RegistryView::SixtyFour ? "64-bit view" : "own view";
}

struct Operation {
    const char* name;
    std::function<long(Registry&)> run;
    // The calls it must make in a view.
    std::function<std::vector<ViewCall>(RegistryView)> calls;
};

long DefaultValueOf(Registry& registry, HKey key, std::string_view subKey, std::string& text) {
    char data[64] = {};
    long size = sizeof data;
    const long status = registry.QueryDefaultValue(key, subKey, data, &size);
    text = status == reg::kSuccess ? std::string(data) : std::string("<failed>");
    return status;
}

std::vector<Operation> Operations() {
    return {
        {"open",
         [](Registry& r) {
             RegKey key;
             return key.Open(r, kMachine, kKey, reg::kRead);
         },
         [](RegistryView v) {
             return std::vector<ViewCall>{{ViewCall::kOpen, kKey, ViewAccess(v, reg::kRead)}};
         }},
        {"create",
         [](Registry& r) {
             RegKey key;
             return key.Create(r, kMachine, "Software\\Velmora\\New", reg::kWrite);
         },
         [](RegistryView v) {
             return std::vector<ViewCall>{
                 {ViewCall::kCreate, "Software\\Velmora\\New", ViewAccess(v, reg::kWrite)}};
         }},
        {"delete key", [](Registry& r) { return r.DeleteKey(kMachine, kGone); },
         [](RegistryView v) {
             return v == RegistryView::SixtyFour
                        ? std::vector<ViewCall>{{ViewCall::kDeleteKeyEx, kGone, reg::kWow64_64Key}}
                        : std::vector<ViewCall>{{ViewCall::kDeleteKey, kGone, 0}};
         }},
        {"default value of a subkey",
         [](Registry& r) {
             std::string text;
             const long status = DefaultValueOf(r, kMachine, kSub, text);
             return status == reg::kSuccess && text != "sub text" ? -1 : status;
         },
         [](RegistryView v) {
             return v == RegistryView::SixtyFour
                        ? std::vector<ViewCall>{{ViewCall::kOpen, kSub, reg::kQueryValue | reg::kWow64_64Key},
                                                {ViewCall::kQueryDefault, "", 0}}
                        : std::vector<ViewCall>{{ViewCall::kQueryDefault, kSub, 0}};
         }},
        {"default value of a missing subkey",
         [](Registry& r) {
             std::string text;
             return DefaultValueOf(r, kMachine, "Software\\Velmora\\Missing", text);
         },
         [](RegistryView v) {
             return v == RegistryView::SixtyFour
                        ? std::vector<ViewCall>{{ViewCall::kOpen, "Software\\Velmora\\Missing",
                                                 reg::kQueryValue | reg::kWow64_64Key}}
                        : std::vector<ViewCall>{{ViewCall::kQueryDefault, "Software\\Velmora\\Missing", 0}};
         }},
        {"default value of an open key",
         [](Registry& r) {
             RegKey key;
             key.Open(r, kMachine, kSub, reg::kQueryValue);
             std::string text;
             return DefaultValueOf(r, key.Get(), "", text);
         },
         [](RegistryView v) {
             return std::vector<ViewCall>{{ViewCall::kOpen, kSub, ViewAccess(v, reg::kQueryValue)},
                                          {ViewCall::kQueryDefault, "", 0}};
         }},
    };
}

void Prepare(MemoryRegistry& memory) {
    const RegistryStore store(memory);
    store.WriteString(RootKey::LocalMachine, kSub, "", "sub text");
    RegKey gone;
    gone.Create(memory, kMachine, kGone, reg::kWrite);
}

std::string Lines(const std::vector<ViewCall>& calls) {
    std::string text;
    for (const ViewCall& call : calls) {
        text += call.Line() + "\n";
    }
    return text;
}

TEST(ViewedRegistry, EachCallCarriesTheViewExactlyWhenItIsSet) {
    for (const Operation& operation : Operations()) {
        MemoryRegistry plain;
        Prepare(plain);
        const long expected = operation.run(plain);
        for (const RegistryView view : {RegistryView::Own, RegistryView::SixtyFour}) {
            SCOPED_TRACE(std::string(operation.name) + ", " + ViewName(view));
            MemoryRegistry memory;
            Prepare(memory);
            RecordingRegistryCalls calls(memory);
            ViewedRegistry viewed(calls, view);
            EXPECT_EQ(operation.run(viewed), expected);
            EXPECT_EQ(Lines(calls.made), Lines(operation.calls(view)));
            EXPECT_EQ(testing::CallsOutOfView(calls.made, view), std::vector<std::string>{});
            EXPECT_EQ(memory.OpenHandleCount(), 0u);
        }
    }
}

TEST(ViewedRegistry, WithoutRegDeleteKeyExTheKeyIsDeletedAsRegDeleteKeyASeesIt) {
    MemoryRegistry memory;
    Prepare(memory);
    RecordingRegistryCalls calls(memory, false);
    ViewedRegistry viewed(calls, RegistryView::SixtyFour);
    EXPECT_EQ(viewed.DeleteKey(kMachine, kGone), reg::kSuccess);
    EXPECT_EQ(Lines(calls.made), Lines({{ViewCall::kDeleteKey, kGone, 0}}));
}

// Every value, key and list entry the pages read, with ordinary data.
void Fill(FakeServices& fakes) {
    hostile::FillOrdinary(fakes.registry);
    fakes.messages.defaultAnswer = mb::kIdYes;
}

TEST(ViewedRegistry, EveryPageLoadsAndTheListsRemoveThroughTheView) {
    FakeServices reference;
    Fill(reference);
    for (const RegistryView view : {RegistryView::Own, RegistryView::SixtyFour}) {
        SCOPED_TRACE(ViewName(view));
        FakeServices fakes;
        Fill(fakes);
        RecordingRegistryCalls calls(fakes.registry);
        ViewedRegistry viewed(calls, view);
        for (const std::string& page : testing::LoadedPages()) {
            EXPECT_EQ(testing::LoadPage(fakes, page, viewed).text, testing::LoadPage(reference, page).text)
                << page;
        }
        const Services services = fakes.Get(viewed);
        UninstallList uninstall(services);
        uninstall.Load();
        const std::size_t programs = uninstall.Entries().size();
        ASSERT_GT(programs, 0u);
        EXPECT_TRUE(uninstall.Remove(uninstall.Entries().front().displayName, WindowRef{}, "Velmora"));
        uninstall.Load();
        EXPECT_EQ(uninstall.Entries().size(), programs - 1);
        ShellNewList shellNew(services);
        shellNew.Load();
        const std::size_t types = shellNew.Entries().size();
        ASSERT_GT(types, 0u);
        shellNew.Remove({shellNew.Entries().front().description}, WindowRef{});
        shellNew.Load();
        EXPECT_EQ(shellNew.Entries().size(), types - 1);

        EXPECT_EQ(testing::CallsOutOfView(calls.made, view), std::vector<std::string>{});
        const auto deletes = std::count_if(calls.made.begin(), calls.made.end(), [](const ViewCall& c) {
            return c.kind == ViewCall::kDeleteKey || c.kind == ViewCall::kDeleteKeyEx;
        });
        EXPECT_GE(deletes, 2) << Lines(calls.made);
        EXPECT_EQ(fakes.registry.OpenHandleCount(), 0u);
    }
}

}  // namespace
}  // namespace velmora
