Info = { Sprite = "checker" }
