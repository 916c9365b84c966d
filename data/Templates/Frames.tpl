DESCRIPTION=Frames: a title bar, a thumbnail strip on the left and the picture beside it.
INDEXFILE=Frames.tpl.dir\index.html
INDEXISNOTGALLERY=true
GALLERYFILE=Frames.tpl.dir\thumbs.html
IMAGEHTMLTEMPLATE=Frames.tpl.dir\image.html
USEIMAGEASHTML=true
COPY Frames.tpl.dir\welcome.html TO welcome.html
COPY Frames.tpl.dir\frames.css TO frames.css
COPY Frames.tpl.dir\picturekeys.js TO picturekeys.js
COPY Frames.tpl.dir\lightbox.js TO lightbox.js
COPY Frames.tpl.dir\lightbox.css TO lightbox.css
COPY Frames.tpl.dir\photoswipe\photoswipe.umd.min.js TO photoswipe/photoswipe.umd.min.js
COPY Frames.tpl.dir\photoswipe\photoswipe.css TO photoswipe/photoswipe.css
COPY Frames.tpl.dir\photoswipe\LICENSE TO photoswipe/LICENSE
ASKSTRING=Title
ASKDEFAULT=Picture Album
ASKCOLOR=Background
ASKDEFAULT=#EEF1F4
ASKCOLOR=Bar
ASKDEFAULT=#243B53
ASKCOLOR=Text
ASKDEFAULT=#1F2933
ASKCOLOR=Dark background
ASKDEFAULT=#15191E
ASKCOLOR=Dark bar
ASKDEFAULT=#1B2C3D
ASKCOLOR=Dark text
ASKDEFAULT=#E3E8EE
ASKSTRING=Colour theme (auto, light, dark)
ASKDEFAULT=auto
ASKSTRING=Web address (for link previews)
ASKDEFAULT=
USETARGET=true
TARGETFRAME=view
STYLE=list
LISTCSS=strip
LISTSTYLE=unordered
LISTROWS=40
THUMBMETHOD=limit
THUMBQUALITY=middle
THUMBWIDTH=120
THUMBHEIGHT=120
IMAGEDORESIZE=true
IMAGEWIDTH=1200
IMAGEHEIGHT=1200
IMAGENOEXT=false
IMAGEWEBP=true
IMAGEAVIF=false
DEFAULTHTMLEXT=html
