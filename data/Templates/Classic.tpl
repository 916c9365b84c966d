DESCRIPTION=Classic: thumbnails in a framed table on paper-coloured pages, one page per picture.
INDEXFILE=Classic.tpl.dir\index.html
INDEXISNOTGALLERY=false
IMAGEHTMLTEMPLATE=Classic.tpl.dir\image.html
USEIMAGEASHTML=true
COPY Classic.tpl.dir\classic.css TO classic.css
COPY Classic.tpl.dir\picturekeys.js TO picturekeys.js
COPY Classic.tpl.dir\lightbox.js TO lightbox.js
COPY Classic.tpl.dir\lightbox.css TO lightbox.css
COPY Classic.tpl.dir\photoswipe\photoswipe.umd.min.js TO photoswipe/photoswipe.umd.min.js
COPY Classic.tpl.dir\photoswipe\photoswipe.css TO photoswipe/photoswipe.css
COPY Classic.tpl.dir\photoswipe\LICENSE TO photoswipe/LICENSE
ASKSTRING=Title
ASKDEFAULT=My Photographs
ASKCOLOR=Background
ASKDEFAULT=#F4F1EA
ASKCOLOR=Text
ASKDEFAULT=#2B2622
ASKCOLOR=Frame
ASKDEFAULT=#8B6F47
ASKCOLOR=Dark background
ASKDEFAULT=#1E1B18
ASKCOLOR=Dark text
ASKDEFAULT=#EDE6DA
ASKCOLOR=Dark frame
ASKDEFAULT=#B8956A
ASKSTRING=Colour theme (auto, light, dark)
ASKDEFAULT=auto
ASKSTRING=Web address (for link previews)
ASKDEFAULT=
STYLE=table
TABLECSS=classic
TABLEBORDER=0
TABLEWIDTH=
TABLETDALIGN=center
TABLETDVALIGN=middle
TABLEROWS=3
TABLECOLS=4
THUMBMETHOD=limit
THUMBQUALITY=high
THUMBWIDTH=150
THUMBHEIGHT=150
IMAGEDORESIZE=true
IMAGEWIDTH=1024
IMAGEHEIGHT=1024
IMAGENOEXT=false
IMAGEWEBP=true
IMAGEAVIF=false
DEFAULTHTMLEXT=html
