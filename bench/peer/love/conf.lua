-- The sprites bench scene for LÖVE 11.4: the same field size as bench/games/sprites, no
-- vsync, and none of the modules the scene does not use (no audio device under Xvfb).
function love.conf(t)
    t.identity = "velmora-bench-sprites"
    t.version = "11.4"
    t.console = false
    t.window.title = "sprites"
    t.window.width = 450
    t.window.height = 600
    t.window.vsync = 0
    t.window.resizable = false
    t.window.msaa = 0
    t.window.depth = nil
    t.window.stencil = nil
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
    t.modules.video = false
    t.modules.touch = false
end
