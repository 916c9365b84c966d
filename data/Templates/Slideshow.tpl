DESCRIPTION=Slide show: one large picture at a time with First, Prev, Next and Last buttons.
INDEXFILE=Slideshow.tpl.dir\index.html
INDEXISNOTGALLERY=false
USEIMAGEASHTML=false
COPY Slideshow.tpl.dir\slideshow.css TO slideshow.css
COPY Slideshow.tpl.dir\slidekeys.js TO slidekeys.js
ASKSTRING=Title
ASKDEFAULT=Slide Show
ASKCOLOR=Background
ASKDEFAULT=#1B1B1F
ASKCOLOR=Text
ASKDEFAULT=#F2F2F2
ASKCOLOR=Buttons
ASKDEFAULT=#33719B
ASKCOLOR=Light background
ASKDEFAULT=#F3F4F6
ASKCOLOR=Light text
ASKDEFAULT=#1B1B1F
ASKSTRING=Colour theme (auto, light, dark)
ASKDEFAULT=auto
ASKSTRING=Web address (for link previews)
ASKDEFAULT=
STYLE=slideshow
LISTROWS=60
SLIDESCHEME=<div class="stage">
<!-SLIDES->
</div>
<div class="controls"><!-FIRSTBUTTON-> <!-PREVBUTTON-> <!-NEXTBUTTON-> <!-LASTBUTTON-></div>
//SlideSchemeEND//
SLIDEWIDTH=0
SLIDEHEIGHT=0
THUMBMETHOD=limit
THUMBQUALITY=middle
THUMBWIDTH=100
THUMBHEIGHT=100
IMAGEDORESIZE=true
IMAGEWIDTH=1280
IMAGEHEIGHT=1280
IMAGENOEXT=false
DEFAULTHTMLEXT=html
