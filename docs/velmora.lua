---@meta velmora
-- Definitions of the Velmora engine's script functions for the Lua language server:
-- completion, argument hints and type checks in your editor. Nothing here runs; the
-- engine provides these functions itself. See docs/scripting.md for the whole story.
--
-- Callbacks the engine calls in your files (define them as globals):
--   GameState.lua:        OnGameCreate()             OnKeyEvent(key)   OnKeyUp(key) (optional, added)
--   a stage's Info.lua:   OnStageCreate()
--   an action's Info.lua: OnBegin(obj)  OnAction(obj)  OnInterval(obj)   (define all three)
--   a hero's or mob's:    OnDamage(obj, amount)
--   a bullet's:           OnHit(bullet, target)
--   an item's:            OnEaten(item, hero)
--   an effect's:          OnCreate(effect)

---An object handle. Lookups that find nothing may return the null handle: it is not nil,
---but every object function ignores it. Handles of removed objects behave the same.
---@alias Velmora.Handle lightuserdata

-------------------------------------------------------------------------------
-- Info tables (annotate yours: ---@type Velmora.MobInfo)
-------------------------------------------------------------------------------

---@class Velmora.Option
---@field ScreenWidth integer width of the window's drawing area
---@field ScreenHeight integer height of the window's drawing area
---@field FullScreen? integer 1 for full screen
---@field Controller? integer 1: the hero follows the pointing device
---@field AdjustX? integer device point offset: hero x = AdjustX + x
---@field AdjustY? integer device point offset: hero y = AdjustY - y
---@field Port? integer above 0: device points as UDP "<x> <y>" on 127.0.0.1:Port

---@class Velmora.StageInfo
---@field Level? integer

---Keys every object reads.
---@class Velmora.ObjectInfo
---@field Type? integer 1 hero, 2 mob, 4 bullet, 5 item, 6 effect, 7 score board, 8 friend; other: plain
---@field Sprite? string name of a declared picture; none: never drawn
---@field ZOrder? integer layer: lower first, higher on top
---@field CollisionRadius? number 0: never hit or touched
---@field EllipseX? number horizontal half-width of the hit area (0: CollisionRadius)
---@field EllipseY? number vertical half-height of the hit area (0: CollisionRadius)

---@class Velmora.HeroInfo: Velmora.ObjectInfo
---@field Name string must equal the folder name
---@field Life? integer hit points (Obj_GetHP)
---@field WeaponType? integer kept for scripts
---@field WeaponLevel? integer kept for scripts
---@field BombType? integer kept for scripts
---@field BombLevel? integer kept for scripts
---@field BombCount? integer kept for scripts
---@field BombCountMax? integer kept for scripts

---@class Velmora.MobInfo: Velmora.ObjectInfo
---@field Name string must equal the folder name
---@field HP? integer hit points (Obj_GetHP)
---@field Score? integer kept for scripts
---@field AutoDirection? integer 1: the picture faces its motion (a number, not true)

---@class Velmora.BulletInfo: Velmora.ObjectInfo
---@field Name string must equal the folder name
---@field Power? integer the amount its target's OnDamage receives
---@field Speed? number pixels per second along a unit direction
---@field Positive? integer 1: the player's bullet (hits mobs); 0: an enemy's
---@field AutoDirection? integer 1: the picture faces its motion (a number, not true)

---@class Velmora.ItemInfo: Velmora.ObjectInfo
---@field Name string must equal the folder name

---@class Velmora.EffectInfo: Velmora.ObjectInfo
---@field Name string must equal the folder name

---@class Velmora.ScoreBoardInfo: Velmora.ObjectInfo
---@field DigitSpace? integer at least this many digits, zero-padded
---@field X? number screen x of the first digit's centre
---@field Y? number screen y of the digits' centre (truncated)

---@class Velmora.ActionInfo
---@field X? number when not 0, the object is moved here as the action is given
---@field Y? number when not 0, the object is moved here as the action is given
---@field DX? number direction x
---@field DY? number direction y
---@field Speed? number speed factor; missing means 0 (no movement)
---@field BeginTime? integer ms after it is given; 0 during OnStageCreate never begins
---@field ActTime? integer ms after the begin: OnAction; 0 never
---@field Interval? integer ms between OnInterval calls; 0 never

-------------------------------------------------------------------------------
-- Game
-------------------------------------------------------------------------------

---Replaces the current stage by the one in res/stage/<name>/, which is loaded and whose
---OnStageCreate runs. The stage clock restarts at 0. Safe from any callback.
---@param name string
function Game_ActiveStage(name) end

---The current stage's name, or nil without a stage.
---@return string|nil name
function Game_GetCurStage() end

---Destroys the current stage and leaves none: only the clear colour is drawn.
function Game_RemoveCurStage() end

---Turns the hero's controls (arrow keys and field bounds) on or off.
---@param flag boolean
function Game_SetControlAble(flag) end

---Whether the hero's controls are on; false without a stage or hero.
---@return boolean
function Game_GetControlAble() end

---Ends the game after the frame in progress.
function Game_Exit() end

---(Added) Seconds on the current stage's clock; 0 when a stage has just begun.
---@return number
function Game_GetStageTime() end

---(Added) Pauses or resumes the game. While paused the stage clock, objects, actions,
---collisions and sound fades stand still and playing voices pause; drawing and key
---events (OnKeyEvent, OnKeyUp, Key_IsDown) go on, so a key can lift the pause.
---@param flag boolean
function Game_SetPause(flag) end

---(Added) The game's own writable folder, with a trailing slash: $XDG_DATA_HOME/velmora/<game>/
---(by default ~/.local/share/velmora/<game>/), named by the game's folder and made on first
---use. Keep high scores and settings there: the game's own folder may be read-only.
---@return string
function Game_GetSaveDir() end

---(Added) Whether the game is paused.
---@return boolean
function Game_GetPause() end

---(Added) Whether the key is held down now (menu keys included).
---@param key integer virtual-key code, as OnKeyEvent receives it
---@return boolean
function Key_IsDown(key) end

---The system object: in no stage, updated every frame, never drawn. Its action's times
---are on the stage clock, so give it its action again in each stage.
---@return Velmora.Handle
function Game_GetSystemHandle() end

-------------------------------------------------------------------------------
-- Stage
-------------------------------------------------------------------------------

---Creates an object from res/object/<path>/Info.lua (a hero, mob, item or score board by
---its Type, else a plain object) and registers it under key.
---@param key string
---@param path string for example "mob/drone"
---@return Velmora.Handle handle the null handle without a stage
function Stage_AddObject(key, path) end

---The object registered under key, or the null handle.
---@param key string
---@return Velmora.Handle
function Stage_GetObject(key) end

---Creates an item from res/object/item/<name>/Info.lua at (x, y). It has no action, and
---cannot be picked up until it gets one.
---@param name string
---@param x number
---@param y number
---@return Velmora.Handle
function Stage_CreateItem(name, x, y) end

---Creates an effect from res/object/effect/<name>/Info.lua at (x, y) and runs its OnCreate.
---@param name string
---@param x number
---@param y number
---@return Velmora.Handle
function Stage_CreateEffect(name, x, y) end

---Creates count bullets from res/object/<path>/Info.lua at (x, y), standing still. They
---replace the latest batch: reach them with Stage_GetBullet and Stage_AdjustBullet.
---@param path string for example "bullet/shot"
---@param count integer
---@param x number
---@param y number
function Stage_CreateBullet(path, count, x, y) end

---Sets the direction of bullet index (from 0) of the latest batch. It moves at its Speed
---times the length of (dx, dy).
---@param index integer
---@param dx number
---@param dy number
function Stage_AdjustBullet(index, dx, dy) end

---Bullet index (from 0) of the latest batch; nil outside it or when that bullet is gone.
---@param index integer
---@return Velmora.Handle|nil
function Stage_GetBullet(index) end

---Draws everything but score boards shifted by (x, y); kept across stages.
---@param x integer
---@param y integer
function Stage_SetScreenPos(x, y) end

---Creates a friend from res/object/<path>/Info.lua at (x, y).
---@param path string for example "friend/option"
---@param x number
---@param y number
---@return Velmora.Handle
function Stage_CreateFriend(path, x, y) end

---(Added) A new array of the handles of the current stage's live objects whose kind
---number is type, in drawing order (empty without a stage).
---@param type integer
---@return Velmora.Handle[]
function Stage_GetObjects(type) end

-------------------------------------------------------------------------------
-- Objects (a null or gone handle: nothing happens, nil comes back)
-------------------------------------------------------------------------------

---Gives obj the action res/action/<name>/Info.lua, replacing its current one.
---@param obj Velmora.Handle
---@param name string
---@return Velmora.Handle obj, or the null handle without a stage
function Obj_SetAction(obj, name) end

---@param obj Velmora.Handle
---@return number|nil x
function Obj_GetX(obj) end

---@param obj Velmora.Handle
---@return number|nil y
function Obj_GetY(obj) end

---@param obj Velmora.Handle
---@param x number
function Obj_SetX(obj, x) end

---@param obj Velmora.Handle
---@param y number
function Obj_SetY(obj, y) end

---The action's direction x; nil without an action.
---@param obj Velmora.Handle
---@return number|nil dx
function Obj_GetDX(obj) end

---The action's direction y; nil without an action.
---@param obj Velmora.Handle
---@return number|nil dy
function Obj_GetDY(obj) end

---@param obj Velmora.Handle
---@param dx number
function Obj_SetDX(obj, dx) end

---@param obj Velmora.Handle
---@param dy number
function Obj_SetDY(obj, dy) end

---Scales the picture about its centre; 1 is natural size.
---@param obj Velmora.Handle
---@param scale number
function Obj_SetScale(obj, scale) end

---Opacity: 0 transparent to 1 opaque.
---@param obj Velmora.Handle
---@param alpha number
function Obj_SetAlpha(obj, alpha) end

---Turns the picture clockwise.
---@param obj Velmora.Handle
---@param radians number
function Obj_SetAngle(obj, radians) end

---Tint added to the picture's colours, each 0 to 1 (1, 1, 1 is white).
---@param obj Velmora.Handle
---@param r number
---@param g number
---@param b number
function Obj_SetRGB(obj, r, g, b) end

---Turns obj's picture so that its downward side faces target.
---@param obj Velmora.Handle
---@param target Velmora.Handle
function Obj_SetDirection(obj, target) end

---Sets the action's direction to the unit vector degrees clockwise from straight up
---(0 up, 90 right, 180 down). The picture's angle is unchanged.
---@param obj Velmora.Handle
---@param degrees integer
function Obj_SetAngleDXDY(obj, degrees) end

---The action's step counter (yours; the engine never reads it).
---@param obj Velmora.Handle
---@return integer|nil step
function Obj_GetStep(obj) end

---@param obj Velmora.Handle
---@param step integer
function Obj_SetStep(obj, step) end

---The action waits again and begins ms from now; OnBegin runs again then.
---@param obj Velmora.Handle
---@param ms integer
function Obj_SetBeginTime(obj, ms) end

---OnAction runs (again) ms after the begin, or ms from now once begun.
---@param obj Velmora.Handle
---@param ms integer
function Obj_SetActionTime(obj, ms) end

---OnInterval runs every ms, counted from now once begun.
---@param obj Velmora.Handle
---@param ms integer
function Obj_SetIntervalTime(obj, ms) end

---@param obj Velmora.Handle
---@return number|nil speed
function Obj_GetSpeed(obj) end

---@param obj Velmora.Handle
---@param speed number
function Obj_SetSpeed(obj, speed) end

---Hit points of a hero (Life), a mob or an effect; nil for other kinds.
---@param obj Velmora.Handle
---@return integer|nil hp
function Obj_GetHP(obj) end

---Sets the hit points of a hero, a mob or an effect; ignored for other kinds.
---@param obj Velmora.Handle
---@param hp integer
function Obj_SetHP(obj, hp) end

---Marks obj dead; the stage removes it after its next update.
---@param obj Velmora.Handle
function Obj_Delete(obj) end

---The hero, or nil when the stage has none.
---@return Velmora.Handle|nil
function Obj_GetHero() end

---x of the unit vector from obj to target (NaN when both are on one point).
---@param obj Velmora.Handle
---@param target Velmora.Handle
---@return number|nil
function Obj_GetDirectionX(obj, target) end

---y of the unit vector from obj to target (NaN when both are on one point).
---@param obj Velmora.Handle
---@param target Velmora.Handle
---@return number|nil
function Obj_GetDirectionY(obj, target) end

---Starts the named animation of obj's picture from its first cell. loop is stored in
---the animation itself, for every object that shows it.
---@param obj Velmora.Handle
---@param name string
---@param loop boolean
function Obj_PlayAni(obj, name, loop) end

---Freezes the animation on the cell shown.
---@param obj Velmora.Handle
function Obj_StopAni(obj) end

---Stores a named integer on obj.
---@param obj Velmora.Handle
---@param name string
---@param value integer
function Obj_SetCustom(obj, name, value) end

---A named integer of obj; 0 when never set.
---@param obj Velmora.Handle
---@param name string
---@return integer|nil value
function Obj_GetCustom(obj, name) end

---The object registered under key, or nil (unlike Stage_GetObject).
---@param key string
---@return Velmora.Handle|nil
function Obj_GetHandle(key) end

---(Added) The object's kind number (Info.Type).
---@param obj Velmora.Handle
---@return integer|nil
function Obj_GetType(obj) end

---(Added) The object shows another declared picture from now on; a playing animation
---starts over with the new picture's animation of the same name, if it has one.
---@param obj Velmora.Handle
---@param sprite string
function Obj_SetSprite(obj, sprite) end

---(Added) The object shows text in a declared font instead of its picture, in its own
---colour (Obj_SetRGB; 0, 0, 0 is black), alpha, scale and angle. Lines break at "\n";
---the block is centred on the object vertically. nil or "" text shows the picture again.
---@param obj Velmora.Handle
---@param font string a name given to Res_AddFont or Res_AddBitmapFont
---@param text string|number|nil
---@param align? "left"|"center"|"right" about the object's x; default "center"
function Obj_SetText(obj, font, text, align) end

-------------------------------------------------------------------------------
-- Pictures
-------------------------------------------------------------------------------

---Declares a picture shown whole at width x height, centred on the object.
---@param name string
---@param file string path from the game folder, for example "res/image/ship.png"
---@param width integer
---@param height integer
function Res_AddSprite(name, file, width, height) end

---Declares a picture of columns x rows cells, numbered from 0 row by row.
---@param name string
---@param file string
---@param cellWidth integer
---@param cellHeight integer
---@param columns integer
---@param rows integer
function Res_AddAniSprite(name, file, cellWidth, cellHeight, columns, rows) end

---Declares an animation: count cell numbers, each followed by one separator ("0,1,2,3"),
---each shown 0.3 s, not looping.
---@param name string the picture
---@param animation string
---@param count integer
---@param frames string
function Res_AddAni(name, animation, count, frames) end

---Every cell of the animation is shown seconds.
---@param name string
---@param animation string
---@param seconds number
function Res_SetDefaultAniSpeed(name, animation, seconds) end

---Cell index (from 0) of the animation is shown seconds.
---@param name string
---@param animation string
---@param index integer
---@param seconds number
function Res_SetFrameAniSpeed(name, animation, index, seconds) end

---(Added) Declares a font from a TrueType or OpenType file at size pixels (1 to 256).
---A file that cannot be read is a script error.
---@param name string
---@param file string
---@param size integer
function Res_AddFont(name, file, size) end

---(Added) Declares a pixel-art font: a picture of equal cells holding the characters
---from firstChar on (32 for space), left to right and top to bottom.
---@param name string
---@param picture string
---@param cellWidth integer
---@param cellHeight integer
---@param firstChar integer
function Res_AddBitmapFont(name, picture, cellWidth, cellHeight, firstChar) end

-------------------------------------------------------------------------------
-- Sound and score
-------------------------------------------------------------------------------

---Loads res/sound/<name>; the name includes the extension.
---@param name string
function Sound_Add(name) end

---Plays the sound on a new voice. A missing volume is 0: silent.
---@param name string
---@param volume number 0 to 1
---@param loop boolean
function Sound_Play(name, volume, loop) end

---Plays the sound on a new voice, rising from silence to full volume in about 1.4 s.
---@param name string
---@param loop boolean
function Sound_FadeIn(name, loop) end

---Fades the sound's newest voice out and stops it.
---@param name string
function Sound_FadeOut(name) end

---Stops the sound's newest voice.
---@param name string
function Sound_Stop(name) end

---The score board shows score, zero-padded to its DigitSpace digits.
---@param board Velmora.Handle
---@param score integer
function ScoreBoard_SetScore(board, score) end
