-- No stage is ever entered: every frame shows only the clear colour.
function OnGameCreate() end
