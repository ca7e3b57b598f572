#pragma once
// An engine drawing into the recording renderer, with helpers to write object, action
// and stage scripts and to run frames.
#include <string>

#include "TestGame.h"
#include "platform/RecordingRenderer.h"
#include "resource/ResourceMgr.h"
#include "script/Handles.h"
#include "world/BaseObject.h"
#include "world/Stage.h"
#include "world/Templates.h"

namespace Velmora::Testing {

class WorldTest : public EngineTest {
protected:
    WorldTest() { engine().UseRenderer(std::make_unique<Platform::RecordingRenderer>(640, 480)); }

    Platform::RecordingRenderer& device() {
        return static_cast<Platform::RecordingRenderer&>(*engine().GetRenderer());
    }
    StageObjects* stage() { return world().CurrentObjects(); }

    // Enters a stage whose OnStageCreate runs the given Lua code.
    void Enter(const std::string& name, const std::string& onCreate = "") {
        game_.Write("res/stage/" + name + "/Info.lua",
                    "Info = { Level = 1 }\nfunction OnStageCreate()\n" + onCreate + "\nend\n");
        world().ActiveStage(name);
    }
    void Object(const std::string& path, const std::string& info, const std::string& extra = "") {
        game_.Write("res/object/" + path + "/Info.lua", "Info = " + info + "\n" + extra);
    }
    void ActionFile(const std::string& name, const std::string& info,
                    const std::string& extra = "") {
        game_.Write("res/action/" + name + "/Info.lua", "Info = " + info + "\n" + extra);
    }
    // A white picture declared as a sprite of the given size.
    void Sprite(const std::string& name, int w, int h) {
        ASSERT_TRUE(WritePng(name + ".png", w, h));
        engine().Resources().AddSprite(name, name + ".png", w, h);
    }
    // Runs one frame of game logic with the given frame time.
    void Frame(float dt = 0.125f) { engine().Update(dt); }
    BaseObject* Handle(const std::string& global) {
        lua_getglobal(L(), global.c_str());
        const auto serial = reinterpret_cast<std::uintptr_t>(lua_touserdata(L(), -1));
        BaseObject* object = serial != 0 ? world().FindLive(serial) : nullptr;
        lua_pop(L(), 1);
        return object;
    }
};

}  // namespace Velmora::Testing
