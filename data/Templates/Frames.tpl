DESCRIPTION=Frames: a title bar, a thumbnail strip on the left and the picture beside it.
INDEXFILE=Frames.tpl.dir\index.html
INDEXISNOTGALLERY=true
GALLERYFILE=Frames.tpl.dir\thumbs.html
IMAGEHTMLTEMPLATE=Frames.tpl.dir\image.html
USEIMAGEASHTML=true
COPY Frames.tpl.dir\welcome.html TO welcome.html
COPY Frames.tpl.dir\frames.css TO frames.css
COPY Frames.tpl.dir\picturekeys.js TO picturekeys.js
ASKSTRING=Title
ASKDEFAULT=Picture Album
ASKCOLOR=Background
ASKDEFAULT=#EEF1F4
ASKCOLOR=Bar
ASKDEFAULT=#243B53
ASKCOLOR=Text
ASKDEFAULT=#1F2933
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
