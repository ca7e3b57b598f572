local function f(v) return v == nil and "nil" or string.format("%.9g", v) end
function OnStageCreate()
    local o = Stage_AddObject("o", "plain/thing")
    local t = Stage_AddObject("t", "plain/thing")
    local null = Stage_GetObject("none")
    -- Without an action the action values read nil and writes change nothing.
    Obj_SetSpeed(o, 5); Obj_SetDX(o, 5); Obj_SetAngleDXDY(o, 90); Obj_SetStep(o, 3); Obj_SetBeginTime(o, 10)
    print("no action", f(Obj_GetDX(o)), f(Obj_GetDY(o)), f(Obj_GetSpeed(o)), f(Obj_GetStep(o)))
    print("set action", Obj_SetAction(o, "fly") == o, (Obj_SetAction(o)), (Obj_SetAction(null, "fly")))
    print("action", f(Obj_GetDX(o)), f(Obj_GetDY(o)), f(Obj_GetSpeed(o)), f(Obj_GetStep(o)))
    Obj_SetDX(o, 0.25); Obj_SetDY(o, "-0.75"); Obj_SetSpeed(o, 1.5)
    print("changed", f(Obj_GetDX(o)), f(Obj_GetDY(o)), f(Obj_GetSpeed(o)))
    for _, degrees in ipairs({ 0, 90.9, 180, -90 }) do
        Obj_SetAngleDXDY(o, degrees)
        print("angle " .. degrees, f(Obj_GetDX(o)), f(Obj_GetDY(o)))
    end
    Obj_SetX(o, 1); Obj_SetY(o, 2); Obj_SetX(t, 4); Obj_SetY(t, 6)
    print("direction", f(Obj_GetDirectionX(o, t)), f(Obj_GetDirectionY(o, t)), f(Obj_GetDirectionX(t, o)),
        f(Obj_GetDirectionY(o, null)), f(Obj_GetDirectionX(null, t)))
    print("same spot", Obj_GetDirectionX(o, o) ~= Obj_GetDirectionX(o, o))
    -- The null handle: nothing happens, nothing comes back.
    Obj_SetX(null, 5); Obj_SetCustom(null, "a", 1); Obj_Delete(null); Obj_SetDirection(null, o)
    Obj_SetDirection(o, null); Obj_PlayAni(null, "x", true); Obj_PlayAni(o, "x", true); Obj_StopAni(null)
    Obj_StopAni(o); Obj_SetScale(null, 2); Obj_SetAlpha(null, 2); Obj_SetAngle(null, 2); Obj_SetRGB(null, 1, 1, 1)
    print("null", f(Obj_GetX(null)), f(Obj_GetY(null)), f(Obj_GetCustom(null, "a")), f(Obj_GetDX(null)), f(Obj_GetHP(null)))
    print("not a handle", f(Obj_GetX(5)), f(Obj_GetX("o")), f(Obj_GetX({})), f(Obj_GetX(io.stdout)), f(Obj_GetX()))
    Obj_SetCustom(o, "power", 2.9); Obj_SetCustom(o, 7, -3.9); Obj_SetCustom(o, nil, 1)
    print("custom", f(Obj_GetCustom(o, "power")), f(Obj_GetCustom(o, "7")), f(Obj_GetCustom(o, "never")),
        f(Obj_GetCustom(o)))
    Obj_SetBeginTime(o, 1500)
    Obj_SetStep(o, -2.7)
    print("step", f(Obj_GetStep(o)))
    -- A file made an item first, then a mob: the item's template is not copied into it.
    Stage_CreateItem("grunt", 0, 0)
    print("mob from an item's file", f(Obj_GetHP(Stage_AddObject("g", "item/grunt"))))
    Game_Exit()
end
