// The global manager's side of the window builder: the global create-control callback and the
// skins built into boxes or as detached trees, parsed once per path. UI thread only.
#include <map>
#include <memory>
#include <string>

#include "ui/box.h"
#include "ui/control.h"
#include "ui/global_manager.h"
#include "ui/window_builder.h"

namespace ui {
namespace {

struct SkinState {
    CreateControlCallback createControl;
    std::map<std::wstring, std::unique_ptr<WindowBuilder>> parsedSkins;
};

SkinState& Shared() {
    static SkinState state;
    return state;
}

// Builds a skin file from its parsed copy, parsing and keeping it on first use.
Control* BuildCached(const std::wstring& skinPath, CreateControlCallback callback, Window* window, Box* box) {
    auto& parsed = Shared().parsedSkins;
    if (const auto found = parsed.find(skinPath); found != parsed.end()) {
        return found->second->Build(std::move(callback), window, nullptr, box);
    }
    auto builder = std::make_unique<WindowBuilder>();
    Control* built = builder->Create(skinPath.c_str(), std::move(callback), window, nullptr, box);
    if (builder->IsLoaded()) parsed[skinPath] = std::move(builder);
    return built;
}

}  // namespace

const CreateControlCallback& GlobalManager::GetCreateControlCallback() {
    return Shared().createControl;
}

void GlobalManager::SetCreateControlCallback(CreateControlCallback callback) {
    Shared().createControl = std::move(callback);
}

void GlobalManager::BuildIntoBox(const std::wstring& skinPath, CreateControlCallback callback, Box* box) {
    if (!box) return;
    WindowBuilder().Create(skinPath.c_str(), std::move(callback), box->GetWindow(), nullptr, box);
}

void GlobalManager::BuildIntoBoxCached(const std::wstring& skinPath, CreateControlCallback callback, Box* box) {
    if (box) BuildCached(skinPath, std::move(callback), box->GetWindow(), box);
}

std::unique_ptr<Control> GlobalManager::CreateControlTreeCached(const std::wstring& skinPath,
                                                                CreateControlCallback callback) {
    return std::unique_ptr<Control>(BuildCached(skinPath, std::move(callback), nullptr, nullptr));
}

std::unique_ptr<Box> GlobalManager::BuildBoxCached(const std::wstring& skinPath, CreateControlCallback callback) {
    std::unique_ptr<Control> tree = CreateControlTreeCached(skinPath, std::move(callback));
    if (!dynamic_cast<Box*>(tree.get())) return nullptr;
    return std::unique_ptr<Box>(static_cast<Box*>(tree.release()));
}

}  // namespace ui
