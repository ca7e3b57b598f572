#pragma once
// A game controller with the script functions registered, the recording device behind
// the resource manager, and helpers to write object, action and stage scripts.
#include <string>

#include "TestGame.h"
#include "platform/RecordingRenderer.h"
#include "platform/Screen.h"
#include "resource/ResourceMgr.h"
#include "script/Handles.h"
#include "world/BaseObject.h"
#include "world/Stage.h"
#include "world/Templates.h"

namespace Velmora::Testing {

class WorldTest : public EngineTest {
protected:
    void SetUp() override {
        g_screenWidth = 640;
        g_screenHeight = 480;
        baseline_ = BaseObject::LiveCount();
        game()->Device = &device_;
        ResourceMgr::GetInstance()->SetDevice(&device_);
        LuaControl::GetInstance()->RegisterFunctions();
    }
    void TearDown() override {
        CGame::DestroyInstance();
        ResourceMgr::DestroyInstance();
        Templates::DestroyInstance();
        EngineTest::TearDown();
        EXPECT_EQ(baseline_, BaseObject::LiveCount()) << "objects outlived the game";
    }

    static CGame* game() { return CGame::GetInstance(); }
    static StageObjects* stage() {
        return game()->CurStage != nullptr ? game()->CurStage->Objects.get() : nullptr;
    }

    // Enters a stage whose OnStageCreate runs the given Lua code.
    void Enter(const std::string& name, const std::string& onCreate = "") {
        game_.Write("res/stage/" + name + "/Info.lua",
                    "Info = { Level = 1 }\nfunction OnStageCreate()\n" + onCreate + "\nend\n");
        game()->ActiveStage(name);
    }
    void Object(const std::string& path, const std::string& info, const std::string& extra = "") {
        game_.Write("res/object/" + path + "/Info.lua", "Info = " + info + "\n" + extra);
    }
    void ActionFile(const std::string& name, const std::string& info,
                    const std::string& extra = "") {
        game_.Write("res/action/" + name + "/Info.lua", "Info = " + info + "\n" + extra);
    }
    // A white picture declared as a sprite of the given size.
    static void Sprite(const std::string& name, int w, int h) {
        ASSERT_TRUE(WritePng(name + ".png", w, h));
        ResourceMgr::GetInstance()->AddSprite(name, name + ".png", w, h);
    }
    // Runs one frame of game logic with the given frame time.
    void Frame(float dt = 0.125f) {
        game()->FrameTime = dt;
        game()->StageTime += dt;
        game()->Update();
    }
    BaseObject* Handle(const std::string& global) {
        lua_getglobal(L(), global.c_str());
        BaseObject* object = HandleArg(L(), -1);
        lua_pop(L(), 1);
        return object;
    }

    Platform::RecordingRenderer device_{640, 480};
    std::size_t baseline_ = 0;
};

}  // namespace Velmora::Testing
