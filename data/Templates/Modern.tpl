DESCRIPTION=Modern: a responsive grid for phones and wide screens, light or dark, with a lightbox.
INDEXFILE=Modern.tpl.dir\index.html
INDEXISNOTGALLERY=false
IMAGEHTMLTEMPLATE=Modern.tpl.dir\image.html
USEIMAGEASHTML=true
COPY Modern.tpl.dir\modern.css TO modern.css
COPY Modern.tpl.dir\picturekeys.js TO picturekeys.js
COPY Modern.tpl.dir\lightbox.js TO lightbox.js
COPY Modern.tpl.dir\lightbox.css TO lightbox.css
COPY Modern.tpl.dir\photoswipe\photoswipe.umd.min.js TO photoswipe/photoswipe.umd.min.js
COPY Modern.tpl.dir\photoswipe\photoswipe.css TO photoswipe/photoswipe.css
COPY Modern.tpl.dir\photoswipe\LICENSE TO photoswipe/LICENSE
ASKSTRING=Title
ASKDEFAULT=Photographs
ASKSTRING=Subtitle
ASKDEFAULT=A few favourite pictures
ASKCOLOR=Background
ASKDEFAULT=#121417
ASKCOLOR=Text
ASKDEFAULT=#E8E6E3
ASKCOLOR=Accent
ASKDEFAULT=#E0A458
ASKCOLOR=Light background
ASKDEFAULT=#F6F4F0
ASKCOLOR=Light text
ASKDEFAULT=#1C1E21
ASKCOLOR=Light accent
ASKDEFAULT=#8A4B0F
ASKSTRING=Colour theme (auto, light, dark)
ASKDEFAULT=auto
ASKSTRING=Web address (for link previews)
ASKDEFAULT=
STYLE=list
LISTCSS=grid
LISTSTYLE=unordered
LISTROWS=24
THUMBMETHOD=limit
THUMBQUALITY=middle
THUMBWIDTH=360
THUMBHEIGHT=360
IMAGEDORESIZE=true
IMAGEWIDTH=1600
IMAGEHEIGHT=1600
IMAGENOEXT=false
IMAGEWEBP=true
IMAGEAVIF=false
DEFAULTHTMLEXT=html
