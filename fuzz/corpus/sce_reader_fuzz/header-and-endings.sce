[Titre¤Sous-titre:¤
A¤1¤B¤2¤
C